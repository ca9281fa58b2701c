#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "pgn/PreProcessor.h"
#include "support/ExpectThrow.h"
#include "support/ReferencePreProcessor.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string kCommentError = "CPGNReader::PreProcessData(): End of comment ('}') not found!";
const std::string kVariationError = "CPGNReader::PreProcessData(): ')' not found!";
const std::string kPeriodsError =
    "CPGNReader::PreProcessData(): Syntax error in PGN file! Detected '<A-z letter>...'!";

// The result text, or "threw <class>: <message>".
std::string Outcome(void (*process)(std::string&), std::string text) {
    try {
        process(text);
        return text;
    } catch (const CPGNReaderException& e) {
        return "threw CPGNReaderException: " + e.GetMessage();
    } catch (const CGeneralException& e) {
        return "threw another CGeneralException: " + e.GetMessage();
    } catch (const std::exception& e) {
        return std::string("threw std::exception: ") + e.what();
    }
}

bool Disagree(const std::string& input) {
    return Outcome(ReferencePreProcess, input) != Outcome(PreProcessPgnText, input);
}

// Drops ever smaller pieces of a disagreeing input for as long as the disagreement stays.
std::string Minimized(std::string input) {
    for (std::size_t chunk = std::max<std::size_t>(input.size() / 2, 1);; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= input.size();) {
            std::string shorter = input;
            shorter.erase(at, chunk);
            if (Disagree(shorter)) {
                input = std::move(shorter);
            } else {
                at += chunk;
            }
        }
        if (chunk == 1) {
            return input;
        }
    }
}

// Runs both implementations on every input, reports the first few disagreements and counts
// the outcomes so that a generator that only ever produces one kind of input is noticed.
class Comparison {
public:
    void Check(const std::string& input) {
        const std::string expected = Outcome(ReferencePreProcess, input);
        const std::string actual = Outcome(PreProcessPgnText, input);
        ++outcomes[expected.starts_with("threw ") ? expected : "rewritten"];
        if (expected != actual && ++mismatches <= 5) {
            const std::string small = Minimized(input);
            ADD_FAILURE() << "input:      " << testing::PrintToString(input)
                          << "\nminimized:  " << testing::PrintToString(small) << "\nreference:  "
                          << testing::PrintToString(Outcome(ReferencePreProcess, small))
                          << "\nproduction: "
                          << testing::PrintToString(Outcome(PreProcessPgnText, small));
        }
    }
    bool Stop() const { return mismatches >= 5; }
    int Count(const std::string& outcome) const {
        const auto it = outcomes.find(outcome);
        return it == outcomes.end() ? 0 : it->second;
    }

private:
    int mismatches = 0;
    std::map<std::string, int> outcomes;
};

// mt19937's sequence is fixed by the standard; the distributions are not, so none is used.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine(seed) {}
    std::size_t Below(std::size_t n) { return engine() % n; }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(items.size())];
    }

private:
    std::mt19937 engine;
};

// Pieces that exercise every rule, and the seams between rules, when thrown together.
// clang-format off
const std::vector<std::string> kChaosFragments = {
    " ", "  ", "\n", "\r\n", "\t", "\r", "#", ";", "%", "\n%", "$", "$12", "$1 ",
    ".", "...", "....", "12...", "5....", "12...Nf6", "3.", "Wait...",
    "[", "]", "\"", "\\", "\\\"", "{", "}", "{x}", "{a;b\n}", "(", ")", "(1. e4)", "((a)",
    "e4", "Nf3", "1-0", "O-O", "1", "7", "\x80", "\xff", "\xc3\xa9", "\v", "\f",
    std::string(1, '\0'), "[Event \"", "[ Site \"a$b\" ]", "[White \"x \\\" y\"]",
    "\"\\\n", "[a \"12... x\"]", "[b \"q\t(#;{\"]"};
// clang-format on

// A random mix of fragments, cut to a random length of 0..200. Each input draws its own
// subset of the fragments, so that rare combinations (no '{' at all, only periods and digits)
// come up as often as the full mix.
std::string ChaosText(Random& rng) {
    std::vector<std::string> palette;
    for (const std::string& fragment : kChaosFragments) {
        if (rng.OneIn(2)) {
            palette.push_back(fragment);
        }
    }
    if (palette.empty()) {
        palette.push_back("a");
    }
    const std::size_t length = rng.Below(201);
    std::string text;
    while (text.size() < length) {
        text += rng.Pick(palette);
    }
    text.resize(length);
    return text;
}

const std::vector<std::string> kTagNames = {"Event", "Site", "Date", "White", "Black", "Result"};
// clang-format off
const std::vector<std::string> kTagValues = {
    "Casual game", "?", "Match #3", "Prize $100", "a; b", "Wait...", "a]b", "x  y ", "12... Nf6",
    "Match (final)", "{note}", "back\\\\slash", "say \\\"hi\\\"", "tab\there", "caf\xc3\xa9", "50%",
    "", "1. e4 e5", "[x]", "end\\"};
// clang-format on
const std::vector<std::string> kMoves = {"e4",   "e5",    "Nf3",  "Nc6",  "Bb5", "a6", "O-O",
                                         "Qh7#", "Rxe8+", "exd5", "e8=Q", "Kd2", "c5", "d4"};
const std::vector<std::string> kCommentBodies = {
    "best by test", "[%clk 0:01:02]", "a ; semicolon", "(not a variation",
    "line\nbreak",  "#1 $5",          "12... Nf6",     "",
    "tab\tinside",  "caf\xc3\xa9"};
const std::vector<std::string> kSeparators = {" ", " ", " ", "  ", "\n", "\r\n", "\t"};
const std::vector<std::string> kBlackNumberForms = {"...", "... ", "...", "....", "..", ". .."};
const std::vector<std::string> kResults = {"1-0", "0-1", "1/2-1/2", "*"};

std::string TagSection(Random& rng) {
    std::string text;
    const std::size_t count = 1 + rng.Below(4);
    for (std::size_t i = 0; i < count; ++i) {
        text += rng.OneIn(4) ? "[ " : "[";
        text += rng.Pick(kTagNames);
        text += rng.OneIn(3) ? "  \"" : " \"";
        text += rng.Pick(kTagValues);
        text += rng.OneIn(4) ? "\" ]" : "\"]";
        text += rng.OneIn(3) ? "\r\n" : "\n";
        if (rng.OneIn(6)) {
            text += "%escaped line \"[x\" ( {\n";
        }
    }
    return text + (rng.OneIn(2) ? "\n" : "\r\n");
}

std::string Annotation(Random& rng, int depth);

std::string Movetext(Random& rng, int depth, std::size_t plies) {
    std::string text;
    std::size_t number = 1 + rng.Below(30);
    for (std::size_t ply = 0; ply < plies; ++ply) {
        const bool white = ply % 2 == 0;
        if (white) {
            text += std::to_string(number) + (rng.OneIn(5) ? "." : ". ");
        } else if (rng.OneIn(60)) {
            text += "...";
        } else if (ply == 0 || rng.OneIn(3)) {
            text += std::to_string(number) + rng.Pick(kBlackNumberForms);
        }
        text += rng.Pick(kMoves);
        if (rng.OneIn(6)) {
            text += rng.OneIn(2) ? "!?" : "#";
        }
        text += rng.Pick(kSeparators);
        if (rng.OneIn(3)) {
            text += Annotation(rng, depth) + rng.Pick(kSeparators);
        }
        number += white ? 0 : 1;
    }
    return text;
}

std::string Annotation(Random& rng, int depth) {
    switch (rng.Below(depth < 2 ? 5 : 3)) {
    case 0:
        return "{" + rng.Pick(kCommentBodies) + (rng.OneIn(40) ? "" : "}");
    case 1:
        return "$" + std::to_string(rng.Below(140));
    case 2:
        return "; rest of line " + rng.Pick(kCommentBodies) + "\n";
    default:
        return "(" + Movetext(rng, depth + 1, 1 + rng.Below(4)) + ")";
    }
}

// Flips, drops or inserts one character, so that the error paths are met inside otherwise
// realistic games.
void Corrupt(Random& rng, std::string& text) {
    static const std::string specials = "{}()[]\"\\;%$.#\n\r 0";
    const std::size_t at = rng.Below(text.size() + 1);
    switch (rng.Below(3)) {
    case 0:
        text.insert(at, 1, specials[rng.Below(specials.size())]);
        break;
    case 1:
        if (at < text.size()) {
            text.erase(at, 1);
        }
        break;
    default:
        if (at < text.size()) {
            text[at] = specials[rng.Below(specials.size())];
        }
    }
}

std::string GameText(Random& rng) {
    std::string text;
    const std::size_t games = 1 + rng.Below(3);
    for (std::size_t g = 0; g < games; ++g) {
        text += TagSection(rng);
        if (rng.OneIn(4)) {
            text += Annotation(rng, 0) + " ";
        }
        text += Movetext(rng, 0, rng.Below(12)) + rng.Pick(kResults);
        text += rng.OneIn(2) ? "\n\n" : "\r\n\r\n";
    }
    const std::size_t corruptions = rng.OneIn(2) ? 0 : 1 + rng.Below(2);
    for (std::size_t i = 0; i < corruptions; ++i) {
        Corrupt(rng, text);
    }
    return text;
}

void ExpectEveryOutcome(const Comparison& comparison, int atLeast) {
    EXPECT_GE(comparison.Count("rewritten"), atLeast);
    EXPECT_GE(comparison.Count("threw CPGNReaderException: " + kCommentError), atLeast);
    EXPECT_GE(comparison.Count("threw CPGNReaderException: " + kVariationError), atLeast);
    EXPECT_GE(comparison.Count("threw CPGNReaderException: " + kPeriodsError), atLeast);
}

TEST(PreProcessorDifferentialTest, RandomTextsMatchTheReference) {
    Random rng(20240611);
    Comparison comparison;
    for (int i = 0; i < 30000 && !comparison.Stop(); ++i) {
        comparison.Check(ChaosText(rng));
    }
    ExpectEveryOutcome(comparison, 500);
}

TEST(PreProcessorDifferentialTest, GameLikeTextsMatchTheReference) {
    Random rng(7);
    Comparison comparison;
    for (int i = 0; i < 5000 && !comparison.Stop(); ++i) {
        comparison.Check(GameText(rng));
    }
    ExpectEveryOutcome(comparison, 50);
}

// Reads the C string literal that starts at `at`, leaving `at` past it.
std::string Literal(const std::string& line, std::size_t& at) {
    std::string text;
    for (at = line.find('"', at) + 1; line[at] != '"'; ++at) {
        if (line[at] != '\\') {
            text += line[at];
            continue;
        }
        const char c = line[++at];
        text += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    ++at;
    return text;
}

// Cases where both must give what the rules state: the reference is checked here, and the
// seams between rules that random texts meet only rarely.
TEST(PreProcessorDifferentialTest, StatedCasesAndRuleSeams) {
    const std::map<std::string, std::string> faults = {
        {"comment", kCommentError}, {"variation", kVariationError}, {"periods", kPeriodsError}};
    std::ifstream fixture("tests/fixtures/preprocessor/rule_seams.txt");
    int checked = 0;
    for (std::string line; std::getline(fixture, line);) {
        if (line.empty() || line[0] != '"') {
            continue;
        }
        std::size_t at = 0;
        const std::string input = Literal(line, at);
        const bool fails = line.find('"', at) == std::string::npos;
        const std::string expected = fails ? faults.at(line.substr(at + 1)) : Literal(line, at);
        for (auto* process : {&PreProcessPgnText, &ReferencePreProcess}) {
            SCOPED_TRACE((process == &ReferencePreProcess ? "reference: " : "production: ") + line);
            std::string text = input;
            if (fails) {
                EXPECT_THROW_MSG(process(text), CPGNReaderException, expected);
            } else {
                EXPECT_NO_THROW(process(text));
                EXPECT_EQ(text, expected);
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, 38);
}

// Recovery: a file of good games with one broken game (an unclosed comment or variation, stray
// periods) reads as the file without it, the broken game dropped at its place with the message
// that the reference pre-processor gives for its text.
TEST(PreProcessorDifferentialTest, ABrokenGameCostsOnlyItself) {
    std::ifstream file("samples/famous_games.pgn", std::ios::binary);
    std::stringstream all;
    all << file.rdbuf();
    std::vector<std::string> pool;
    for (std::size_t at = all.str().find("[Event "); at != std::string::npos;) {
        const std::size_t next = all.str().find("\n[Event ", at + 1);
        pool.push_back(all.str().substr(at, next == std::string::npos ? next : next + 1 - at));
        at = next == std::string::npos ? next : next + 1;
    }
    ASSERT_GE(pool.size(), 8u);
    // Each is broken whatever the game before it holds.
    const std::vector<std::string> breaks = {"{unclosed", "(1. d4 (1. c4)", "wow... ",
                                             "(1. e4 {a :-(} e5"};
    Random rng(15);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::string> games(2 + rng.Below(6));
        for (std::string& game : games) {
            game = rng.Pick(pool);
        }
        const std::size_t broken = rng.Below(games.size());
        games[broken] += rng.Pick(breaks) + "\n\n";
        std::string text;
        std::string without;
        for (std::size_t i = 0; i < games.size(); ++i) {
            text += games[i];
            without += i == broken ? "" : games[i];
        }
        CPGNReader reader;
        reader.LoadText(text);
        CPGNReader expected;
        expected.LoadText(without);
        ASSERT_EQ(reader.GamesTitles(), expected.GamesTitles()) << text;
        const CLoadReport report = reader.LastLoadReport();
        ASSERT_EQ(report.dropped.size(), 1u) << text;
        EXPECT_EQ(report.dropped[0].ordinal, static_cast<int>(broken));
        EXPECT_EQ("threw CPGNReaderException: " + report.dropped[0].message,
                  Outcome(ReferencePreProcess, games[broken]));
    }
}

} // namespace
