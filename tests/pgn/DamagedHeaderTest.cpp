#include "pgn/AnnotationReader.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

namespace {

// A game's seven tags (Event, Site, Date, Round, White, Black, FEN), its result and its moves;
// nothing for a dropped game.
using CGame = std::optional<std::vector<std::string>>;
const std::vector<std::string> kFields = {"event", "site", "date",   "round", "white",
                                          "black", "fen",  "result", "moves"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), ::tolower);
    return text;
}

// The games of a text by ordinal. The tags that the annotation reader reads again from a game's
// range must give the fields the main reader read.
std::vector<CGame> Read(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    const CLoadReport report = reader.LastLoadReport();
    std::vector<CGame> games(static_cast<std::size_t>(report.gameTexts));
    auto drop = report.dropped.begin();
    for (int ordinal = 0, next = 0; ordinal < report.gameTexts; ++ordinal) {
        if (drop != report.dropped.end() && drop->ordinal == ordinal) {
            EXPECT_FALSE((drop++)->message.empty());
            continue;
        }
        const CChessGameData game = reader.GetGameData(next);
        std::vector<std::string> tags = {game.GetEvent(), game.GetSite(),  game.GetDate(),
                                         game.GetRound(), game.GetWhite(), game.GetBlack(),
                                         game.GetStart()};
        const CGameSource source = *reader.GameSource(next++);
        std::vector<std::string> reread(tags.size());
        for (const CTagPair& tag :
             CAnnotationReader::ReadTags(text.substr(source.offset, source.length))) {
            const auto field = std::find(kFields.begin(), kFields.begin() + 7, Lower(tag.name));
            if (field != kFields.begin() + 7) {
                reread[static_cast<std::size_t>(field - kFields.begin())] = tag.value;
            }
        }
        EXPECT_EQ(reread, tags);
        tags.push_back(std::to_string(game.GetResult()));
        tags.emplace_back();
        for (int i = 0; i < game.MovesCount(); ++i) {
            const CMove m = game.GetMove(i);
            tags.back() += {char('a' + m.sourceFile), char('1' + m.sourceRank),
                            char('a' + m.destFile), char('5' + m.destRank)};
        }
        games[static_cast<std::size_t>(ordinal)] = tags;
    }
    return games;
}

// Only the game that held the damaged line differs: dropped, or read with its moves and result
// and its other tags, unless the line named them.
void ExpectOnlyItsGameDiffers(const std::vector<CGame>& before, const std::vector<CGame>& after,
                              const std::string& line, const std::string& damaged) {
    ASSERT_EQ(after.size(), before.size()) << damaged;
    std::vector<bool> named(kFields.size());
    const std::regex name(R"(\[\s*(\w+))");
    for (std::sregex_iterator it(line.begin(), line.end(), name), end; it != end; ++it) {
        const std::string tag = Lower((*it)[1]);
        const auto field = std::find(kFields.begin(), kFields.end(), tag);
        if (field != kFields.end()) {
            named[static_cast<std::size_t>(field - kFields.begin())] = true;
        }
        if (tag == "fen" || tag == "result" || tag == "variant" || tag == "setup") {
            named[7] = named[8] = true;
        }
    }
    int differing = 0;
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (after[k] == before[k]) {
            continue;
        }
        ++differing;
        for (std::size_t f = 0; before[k] && after[k] && f < kFields.size(); ++f) {
            EXPECT_TRUE(named[f] || (*after[k])[f] == (*before[k])[f])
                << kFields[f] << ": " << line;
        }
    }
    EXPECT_LE(differing, 1) << line << " -> " << damaged;
}

} // namespace

// Every header line that holds tag pairs only, in every sample and fixture, alone, after a
// byte-order mark and in the second of two files with one, is damaged: junk put inside it, a tab
// in its name, its value's quotes doubled, a bracket in its value, or the line cut in its value.
TEST(DamagedHeader, CostsOnlyItsLineOrItsGameAndNeverSplitsAGame) {
    const std::regex tagLine(R"([ \t]*(\[\w+\s*"([^"\\]|\\.)*"\s*\][ \t]*)+\r?)");
    const char* const junk[] = {"{",  "}", "(", ";",  "%",  "$1",  "...",  "#",
                                "\\", "[", "]", "\"", "\t", "x y", "\x81", "\xEF\xBB\xBF"};
    const std::string bom = "\xEF\xBB\xBF";
    std::mt19937 random(24);
    const auto at = [&random](std::size_t from, std::size_t to) {
        return from + random() % std::max<std::size_t>(to - from, 1);
    };
    int damaged = 0;
    for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".pgn" || entry.path().stem() == "no_tag_pairs") {
                continue; // no_tag_pairs.pgn cannot be read at all
            }
            std::stringstream file;
            file << std::ifstream(entry.path(), std::ios::binary).rdbuf();
            const std::string plain = file.str() + (file.str().ends_with('\n') ? "" : "\n");
            const std::vector<CGame> games = Read(plain);
            for (const std::string& prefix : {std::string(), bom, bom + plain + bom}) {
                const std::string text = prefix + plain;
                std::vector<CGame> before = games;
                if (prefix.size() > bom.size()) {
                    before.insert(before.end(), games.begin(), games.end());
                }
                ASSERT_EQ(Read(text), before) << entry.path() << " after " << prefix.size();
                for (std::size_t line = prefix.size(); line < text.size();
                     line = text.find('\n', line) + 1) {
                    const std::string original = text.substr(line, text.find('\n', line) - line);
                    if (!std::regex_match(original, tagLine) || random() % 2 != 0) {
                        continue;
                    }
                    const std::size_t open = original.find('"');
                    const std::size_t close = original.rfind('"');
                    const std::size_t name = original.find('[') + 1;
                    std::string bad = original;
                    switch (random() % 5) {
                    case 0:
                        bad.insert(at(name, original.rfind(']')), junk[random() % std::size(junk)]);
                        break;
                    case 1:
                        bad.insert(at(name + 1, original.find_first_of(" \"", name)), " \t ");
                        break;
                    case 2:
                        bad.insert(close, "\"").insert(open, "\"");
                        break;
                    case 3:
                        bad.insert(at(open + 1, close + 1), random() % 2 ? "]" : "[");
                        break;
                    default:
                        bad.resize(at(open + 1, bad.size()));
                    }
                    const std::string after =
                        text.substr(0, line) + bad + text.substr(line + original.size());
                    ExpectOnlyItsGameDiffers(before, Read(after), original, bad);
                    ++damaged;
                }
            }
        }
    }
    EXPECT_GT(damaged, 300);
}
