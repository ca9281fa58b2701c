#include "notation/NotationDocument.h"

#include "common/TextDecoding.h"
#include "notation/NotationException.h"
#include "notation/NotationLines.h"
#include "notation/WholeCommentReader.h"
#include "pgn/AnnotationReader.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The text as lines: a paragraph as its runs, indented two spaces a depth; a row as its three
// cells between '|'. The run of link `current` stands in [].
std::string Lines(const CNotationText& text, int current) {
    std::string out;
    for (const CNotationBlock& block : text.blocks) {
        out += std::string(2 * static_cast<std::size_t>(block.indent), ' ');
        for (std::size_t cell = 0; cell < block.cells.size(); ++cell) {
            out += cell > 0 ? "|" : "";
            for (const CNotationRun& run : block.cells[cell]) {
                out += run.link == current ? "[" + run.text + "]" : run.text;
            }
        }
        out += "\n";
    }
    return out;
}

// The link of the first move run with this text, on the main line or in a variation.
int LinkOf(const CNotationText& text, const std::string& san, bool variation) {
    for (const CNotationBlock& block : text.blocks) {
        for (const auto& cell : block.cells) {
            for (const CNotationRun& run : cell) {
                if (run.link >= 0 && run.text == san &&
                    (run.link >= kVariationLinkBase) == variation) {
                    return run.link;
                }
            }
        }
    }
    return -1;
}

} // namespace

// The text: header, "Start", rows of White's and Black's moves, the result; a game that starts
// with Black begins "N..."; figurines stand for the piece letters.
TEST(NotationDocument, RowsNumbersResultAndFigurines) {
    CNotationGame game;
    game.white = "W";
    game.black = "B";
    game.result = ResultBlackWon;
    game.blackStarts = true;
    game.firstMoveNumber = 41;
    game.san = {"Kxe4", "Nf3", "exf1=Q+"};
    const CNotationText text = BuildNotation(game, true);
    ASSERT_GE(text.blocks.size(), 5u);
    EXPECT_EQ(text.blocks[0].cells[0][0].text, "W \u2013 B");
    const std::vector<CNotationBlock> rows(text.blocks.end() - 3, text.blocks.end() - 1);
    const CNotationRun first = rows[0].cells[2][0];
    EXPECT_EQ(rows[0].cells[0][0].text, "41...");
    EXPECT_TRUE(rows[0].cells[1].empty());
    EXPECT_EQ(first, (CNotationRun{"\u265Axe4", ENotationStyle::kMove, 1}));
    EXPECT_EQ(rows[1].cells[0][0].text, "42.");
    EXPECT_EQ(rows[1].cells[1][0].text, "\u265Ef3");
    EXPECT_EQ(rows[1].cells[2][0].text, "exf1=\u265B+");
    EXPECT_EQ(text.blocks.back().cells[0][0], (CNotationRun{"0-1", ENotationStyle::kResult}));
    EXPECT_EQ(text.blocks[text.blocks.size() - 4].cells[0][0],
              (CNotationRun{"Start", ENotationStyle::kMove, 0}));
}

// An annotated game: Elo, opening and the other tags in the header, the preamble above "Start",
// the main line broken by each comment and variation, glyphs, clock and evaluation beside their
// move, nested variations indented and numbered again after each interruption. Tags and
// comments that are not UTF-8 are read in their file's code page.
TEST(NotationDocument, AnnotationsBreakTheMainLineAndIndentVariations) {
    const std::string pgn = "[Event \"E\"]\n[White \"W\x81\"]\n[Black \"B\"]\n[Result \"*\"]\n"
                            "[WhiteElo \"2700\"]\n[ECO \"C20\"]\n[Opening \"King's Pawn\"]\n"
                            "[Annotator \"A\"]\n[TimeControl \"-\"]\n\n"
                            "{Pre\x84mble} 1. e4! {Best [%clk 0:10:00]} e5 (1... c5 $14 {Sicilian} "
                            "(1... e6 2. d4) 2. Nf3) 2. Nf3 $146 {[%eval 0.3]} $3 Nc6 *\n";
    CPGNReader reader;
    reader.LoadText(pgn);
    const CChessGameData data = reader.GetGameData(0);
    CGameAnnotations read{
        {}, CAnnotationReader::Read(pgn, data), "A note.", ELegacyCodePage::kCp437};
    read.tags = read.tree->Tags();
    CNotationGame game = NotationOf(data, ELegacyCodePage::kCp437);
    game.annotations = AnnotationsForNotation(std::move(read), data);
    EXPECT_EQ(
        Lines(BuildNotation(game, false), NotationLink(2, CAnnotatedGame::kNone)),
        "W\u00FC (2700) \u2013 B\nE\nC20 King's Pawn\nMore tags \u25B8\n*\nA note.\nPre\u00E4mble\n"
        "Start\n1.|e4! 0:10:00|\nBest\n1...||[e5]\n"
        "  (1... c5 \u2A72 Sicilian\n    (1... e6 2. d4)\n  2. Nf3)\n"
        "2.|Nf3 N !! +0.3|Nc6\n*\n");
    EXPECT_NE(Lines(BuildNotation(game, false, true), 999)
                  .find("C20 King's Pawn\nMore tags \u25BE\nAnnotator: A\n*\n"),
              std::string::npos);
    EXPECT_EQ(LinkOf(BuildNotation(game, false), "More tags \u25B8", false), kMoreTagsLink);
    // A study's chapter: no players, the event is the title.
    game.white = game.black = "?";
    EXPECT_EQ(Lines(BuildNotation(game, false), 999).substr(0, 14), "E\nC20 King's P");
    const CNotationText inVariation = BuildNotation(game, true);
    EXPECT_NE(Lines(inVariation, NotationLink(2, 3)).find("(1... [e6] 2. d4)"), std::string::npos);
    EXPECT_EQ(LinkOf(inVariation, "c5", true), kVariationLinkBase + 2);
    EXPECT_EQ(LinkOf(inVariation, "\u265Ef3", false), 3);

    // The opening the moves reach leads; the file's tags stand beside it where they differ.
    game.opening = "C20 King's Pawn Game";
    const auto has = [&game](const std::string& lines) {
        const std::string text = Lines(BuildNotation(game, false), NotationLink(0, -1));
        return text.find(lines) != std::string::npos;
    };
    EXPECT_TRUE(has("\nC20 King's Pawn Game (the file: C20 King's Pawn)\nMore tags \u25B8\n"));
    game.annotations.opening = game.opening;
    EXPECT_TRUE(has("E\nC20 King's Pawn Game\nMore tags \u25B8\n"));
}

// Evaluations carry their sign; a huge comment (here of 110 000 characters in Windows-1252)
// shows its first 65 540 bytes' characters, then how many more there are as the link that
// reads it whole again from the file, in paragraphs of about 4 KB broken at spaces.
TEST(NotationDocument, SignedEvaluationsAndCutHugeComments) {
    for (const auto& [written, shown] : {std::pair{"0.33", "+0.33"},
                                         {"-0.56", "\u22120.56"},
                                         {"#3", "#3"},
                                         {"#-2", "#\u22122"},
                                         {"0.00", "0.00"}}) {
        EXPECT_EQ(SignedEval(written), shown) << written;
    }
    const std::string pgn = "[Event \"E\"]\n[Result \"*\"]\n\n1. e4 {" + std::string(10000, 'a') +
                            std::string(100000, '\xE9') + "} *\n";
    CPGNReader reader;
    reader.LoadText(pgn);
    const CChessGameData data = reader.GetGameData(0);
    const CNotationAnnotations notation = AnnotationsForNotation(
        {{}, CAnnotationReader::Read(pgn, data), "", ELegacyCodePage::kWindows1252}, data);
    const std::string shown = notation.tree->Move(0).comments.at(0).text;
    std::string expected(10000, 'a');
    for (int i = 0; i < 55540; ++i) {
        expected += "\xC3\xA9";
    }
    EXPECT_EQ(shown, expected);
    // A read that keeps only the bytes the panel needs shows the same, UTF-8 cut anywhere too.
    for (int lead = 0; lead < 4; ++lead) {
        std::string utf8(static_cast<std::size_t>(lead), 'a');
        for (int i = 0; i < 40000; ++i) {
            utf8 += i % 1000 == 0 ? " \xE2\x82\xAC" : "\xC3\xA9";
        }
        for (const std::string& text : {pgn, "[Event \"E\"]\n\n1. e4 {" + utf8 + "} *\n"}) {
            const auto notation = [&](std::size_t keep) {
                return AnnotationsForNotation(
                    {{}, CAnnotationReader::Read(text, data, keep), "", {}}, data);
            };
            const CNotationAnnotations whole = notation(std::string::npos);
            const CNotationAnnotations kept = notation(kCommentBytesKept);
            EXPECT_EQ(kept.tree->Move(0).comments.at(0).text,
                      whole.tree->Move(0).comments.at(0).text);
            ASSERT_EQ(kept.cut.size(), 1u);
            EXPECT_EQ(kept.cut[0].more, whole.cut.at(0).more) << lead;
        }
    }
    CNotationGame game = NotationOf(data);
    game.annotations = notation;
    EXPECT_NE(Lines(BuildNotation(game, false), kCommentLinkBase)
                  .find(expected + "[\u2026 (44460 more characters)]\n"),
              std::string::npos);

    const fs::path path = fs::path(testing::TempDir()) / "comment_of_150000_characters.pgn";
    std::string words;
    for (int i = 0; i < 30000; ++i) {
        words += i % 7 == 0 ? "\xE9t\xE9 " : "word ";
    }
    std::ofstream(path, std::ios::binary) << "[Event \"E\"]\n\n1. e4 {" << words << "} *\n";
    CPGNReader file;
    file.Load(path.string());
    std::string whole = ReadWholeComment(*file.GameSource(0), file.GetGameData(0), {0, 0, 0});
    std::size_t longest = 0;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = whole.find('\n', start);
        longest = std::max(longest, (end == std::string::npos ? whole.size() : end) - start);
    }
    EXPECT_LE(longest, 4096u + 5u);
    std::replace(whole.begin(), whole.end(), '\n', ' ');
    words.pop_back();
    EXPECT_EQ(whole, DecodeToUtf8(words));
    EXPECT_THROW(ReadWholeComment(*file.GameSource(0), file.GetGameData(0), {0, 0, 1}),
                 CNotationException);
    fs::remove(path);
}
