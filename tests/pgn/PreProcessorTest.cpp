#include "pgn/PreProcessor.h"

#include "pgn/PGNExceptions.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

namespace {

std::string Pre(std::string text) {
    PreProcessPgnText(text);
    return text;
}

} // namespace

TEST(PreProcessor, NormalisesAWholeGame) {
    EXPECT_EQ(Pre("[Event \"Casual game\"]\n[Site \"?\"]\n\n1. e4 {best by test} e5 2. Nf3 (2. f4 "
                  "exf4) 2... Nc6 $1 3. Bb5# 1-0\n"),
              "[Event\"Casual game\"][Site\"?\"] 1. e4 e5 2. Nf3 Nc6 3. Bb5 1-0 ");
    EXPECT_EQ(Pre("[Event \"x\"]\r\n\r\n1. e4\te5\r\n"), Pre("[Event \"x\"]\n\n1. e4\te5\n"));
    EXPECT_EQ(Pre("[ Event  \"x\" ]"), "[Event\"x\"]");
    EXPECT_EQ(Pre(""), "");
}

TEST(PreProcessor, CommentsVariationsAndGlyphs) {
    EXPECT_EQ(Pre("{a}{b}"), " ");
    EXPECT_EQ(Pre("{a} {b}"), " ");
    EXPECT_EQ(Pre("1. d4 (1... d5 (1... c5) 2. c4) d5"), "1. d4 d5");
    // A comment within a variation runs to its '}': its brackets do not count.
    EXPECT_EQ(Pre("x (a {x)} b) y"), "x y");
    EXPECT_EQ(Pre("1. e4 (1. d4 {a lesson :-(} d5) e5"), "1. e4 e5");
    EXPECT_EQ(Pre("e4 ; rest of line (\ne5"), "e4 e5");
    EXPECT_EQ(Pre("e4 $1"), "e4 ");
    EXPECT_EQ(Pre("e4 $14$2 e5"), "e4 e5");
    EXPECT_EQ(Pre("Qh7# 1-0"), "Qh7 1-0");
    EXPECT_THROW_MSG(Pre("1. e4 {open"), CPGNReaderException,
                     "CPGNReader::PreProcessData(): End of comment ('}') not found!");
    EXPECT_THROW_MSG(Pre("1. e4 (1. d4 (1. c4)"), CPGNReaderException,
                     "CPGNReader::PreProcessData(): ')' not found!");
}

TEST(PreProcessor, TagValuesAreKeptAsWritten) {
    EXPECT_EQ(Pre("[Event \"Match #3\"]"), "[Event\"Match #3\"]");
    EXPECT_EQ(Pre("[Event \"Prize $100\"] 1. e4"), "[Event\"Prize $100\"] 1. e4");
    EXPECT_EQ(Pre("[Site \"a; b\"]\n1. e4 (1. d4) e5"), "[Site\"a; b\"] 1. e4 e5");
    EXPECT_EQ(Pre("[Event \"Wait...\"]"), "[Event\"Wait...\"]");
    EXPECT_EQ(Pre("[Event \"a]b\"] (1. d4) 1. e4"), "[Event\"a]b\"] 1. e4");
    EXPECT_EQ(Pre("[Event \"Match (final)\"]"), "[Event\"Match (final)\"]");
    EXPECT_EQ(Pre("[Event \"  two  spaces {x} \"]"), "[Event\"  two  spaces {x} \"]");
    EXPECT_EQ(Pre("[Event \"say \\\"hi\\\" (now)\"] (v)"), "[Event\"say \\\"hi\\\" (now)\"] ");
    EXPECT_EQ(Pre("[Event \"12... 3\"]"), "[Event\"12... 3\"]");
    // An unclosed value ends with its line.
    EXPECT_EQ(Pre("[Event \"open\n[Site \"x\"]"), "[Event\"open[Site\"x\"]");
    // Outside brackets a quote opens nothing.
    EXPECT_EQ(Pre("e4 \"a  b\" e5"), "e4\"a b\" e5");
}

TEST(PreProcessor, BlackMoveNumbersInEveryForm) {
    EXPECT_EQ(Pre("12... Nf6"), "Nf6");
    EXPECT_EQ(Pre("1. e4 {good} 1... e5"), "1. e4 e5");
    EXPECT_EQ(Pre("1. e4 1...e5"), "1. e4 e5");
    EXPECT_EQ(Pre("5. c4 5.... e5"), "5. c4 e5");
    EXPECT_EQ(Pre("1. e4 1..."), "1. e4 ");
    const char* syntax =
        "CPGNReader::PreProcessData(): Syntax error in PGN file! Detected '<A-z letter>...'!";
    EXPECT_THROW_MSG(Pre("Wait... 1. e4"), CPGNReaderException, syntax);
    EXPECT_THROW_MSG(Pre("... e5"), CPGNReaderException, syntax);
    // An unclosed comment is reported before a bad move number that comes earlier.
    EXPECT_THROW_MSG(Pre("x... {"), CPGNReaderException,
                     "CPGNReader::PreProcessData(): End of comment ('}') not found!");
}

TEST(PreProcessor, EscapeLinesAreIgnored) {
    EXPECT_EQ(Pre("%header (\n[Event \"x\"]"), "[Event\"x\"]");
    EXPECT_EQ(Pre("[Event \"x\"]\r\n%comment {\r\n1. e4"), "[Event\"x\"] 1. e4");
    // '%' elsewhere on a line is text.
    EXPECT_EQ(Pre("1. e4 %x e5"), "1. e4 %x e5");
    EXPECT_EQ(Pre("1. e4 {\n%in comment}"), "1. e4 ");
}
