#include "pgn/AnnotationReader.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <strings.h>

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kTags = {"Event", "Site", "Date", "Round", "White", "Black", "FEN"};

// Each game of a text by ordinal: its seven tags above, then its result and moves; nothing for
// a dropped game. The tag pairs the annotation reader reads from a game's range give its tags.
std::vector<std::vector<std::string>> Read(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    std::vector<std::vector<std::string>> games(
        static_cast<std::size_t>(reader.LastLoadReport().gameTexts));
    for (const CDroppedGame& dropped : reader.LastLoadReport().dropped) {
        games[static_cast<std::size_t>(dropped.ordinal)] = {dropped.message};
    }
    auto next = games.begin();
    for (int i = 0; i < reader.GamesCount(); ++i, ++next) {
        const CChessGameData game = reader.GetGameData(i);
        const CGameSource source = *reader.GameSource(i);
        std::vector<std::string> reread(kTags.size());
        for (const CTagPair& tag :
             CAnnotationReader::ReadTags(text.substr(source.offset, source.length))) {
            for (std::size_t t = 0; t < kTags.size(); ++t) {
                reread[t] =
                    strcasecmp(tag.name.c_str(), kTags[t].c_str()) == 0 ? tag.value : reread[t];
            }
        }
        while (!next->empty()) {
            ++next;
        }
        *next = {game.GetEvent(), game.GetSite(),  game.GetDate(), game.GetRound(),
                 game.GetWhite(), game.GetBlack(), game.GetStart()};
        EXPECT_EQ(reread, *next);
        next->push_back(std::to_string(game.GetResult()) + ":");
        for (int m = 0; m < game.MovesCount(); ++m) {
            next->back() += " " + std::to_string(PackMove(game.GetMove(m)));
        }
    }
    return games;
}

} // namespace

// Header lines of tag pairs of every sample and fixture, alone, after a byte-order mark and in
// the second of two files with one, are damaged: junk put inside, a tab in the name, the
// value's quotes doubled, a bracket in the value, the line cut in its value, a byte-order mark
// before it, or the line broken in its value (or before its closing quote). Only the game
// that held the line may change: dropped with a reason, or read with its moves, result and
// other tags, unless the line named them.
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
            const auto games = Read(plain);
            for (const std::string& prefix : {std::string(), bom, bom + plain + bom}) {
                const std::string text = prefix + plain;
                auto before = games;
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
                    switch (random() % 7) {
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
                    case 4:
                        bad.resize(at(open + 1, bad.size()));
                        break;
                    case 5:
                        bad.insert(0, bom);
                        break;
                    default: // a mail program wraps the line
                        if (const std::size_t space = original.find(' ', open); space < close) {
                            bad[space] = '\n';
                        } else {
                            bad.insert(close, "\n");
                        }
                    }
                    const auto after =
                        Read(text.substr(0, line) + bad + text.substr(line + original.size()));
                    ASSERT_EQ(after.size(), before.size()) << bad;
                    const auto names = [&original](const std::string& tags) {
                        return std::regex_search(
                            original, std::regex("\\[\\s*(" + tags + ")\\s*\"", std::regex::icase));
                    };
                    int differing = 0;
                    for (std::size_t k = 0; k < before.size(); ++k) {
                        differing += after[k] != before[k];
                        for (std::size_t f = 0; after[k] != before[k] && after[k].size() > 1 &&
                                                before[k].size() > 1 && f < before[k].size();
                             ++f) {
                            EXPECT_TRUE(
                                after[k][f] == before[k][f] ||
                                names(f < kTags.size() ? kTags[f] : "fen|result|variant|setup"))
                                << original << " -> " << bad;
                        }
                    }
                    EXPECT_LE(differing, 1) << original << " -> " << bad;
                    ++damaged;
                }
            }
        }
    }
    EXPECT_GT(damaged, 300);
}
