#include "pgn/AnnotationReader.h"

#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "pgn/PgnWriter.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The games of a file that CPGNReader reads, each with the text of its range in the file.
std::vector<std::pair<CChessGameData, std::string>> ReadGames(const std::string& path) {
    CPGNReader reader;
    reader.Load(path);
    const std::string text = ReadFile(path);
    std::vector<std::pair<CChessGameData, std::string>> games;
    for (int i = 0; i < reader.GamesCount(); ++i) {
        const CGameSource source = *reader.GameSource(i);
        games.emplace_back(reader.GetGameData(i), text.substr(source.offset, source.length));
    }
    return games;
}

std::vector<CAnnotatedGame> ReadAnnotated(const std::string& path) {
    std::vector<CAnnotatedGame> annotated;
    for (const auto& [game, raw] : ReadGames(path)) {
        annotated.push_back(CAnnotationReader::Read(raw, game));
    }
    return annotated;
}

// A line of the tree written out: moves (as written, or with `squares` as their records),
// "$n" glyphs, "[clk x]", "[eval x]", "{comments}" and "(variations)", in file order.
std::string Render(const CAnnotatedGame& game, int index = 0, bool squares = false) {
    const CAnnotationLine& line = game.Line(index);
    std::string out;
    const auto add = [&out](const std::string& part) {
        out += part.empty() ? std::string() : (out.empty() ? "" : " ") + part;
    };
    for (const std::string& comment : line.comments) {
        add("{" + comment + "}");
    }
    for (const int m : line.moves) {
        const CAnnotatedMove& move = game.Move(m);
        const CMove& r = move.move;
        add(squares ? "<" + std::to_string(r.sourceFile) + std::to_string(r.sourceRank) +
                          std::to_string(r.destFile) + std::to_string(r.destRank) + ">"
                    : move.san);
        for (const int glyph : move.glyphs) {
            add("$" + std::to_string(glyph));
        }
        add(move.clock.empty() ? "" : "[clk " + move.clock + "]");
        add(move.eval.empty() ? "" : "[eval " + move.eval + "]");
        std::size_t v = 0;
        for (const CMoveComment& comment : move.comments) {
            for (; v < static_cast<std::size_t>(comment.variationsBefore); ++v) {
                add("(" + Render(game, move.variations[v], squares) + ")");
            }
            add("{" + comment.text + "}");
        }
        for (; v < move.variations.size(); ++v) {
            add("(" + Render(game, move.variations[v], squares) + ")");
        }
    }
    return out;
}

std::vector<std::string> PgnFiles() {
    std::vector<std::string> files;
    for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".pgn" && entry.path().stem() != "no_tag_pairs") {
                files.push_back(entry.path().string());
            }
        }
    }
    return files;
}

} // namespace

// Every game both readers read: the main line is the game's moves, and every move, variations
// included, is what its SAN gives on the position the walks lead to (the tags: DamagedHeader).
TEST(AnnotationReader, AgreesWithTheFirstReaderOnEveryGameOfSamplesAndFixtures) {
    for (const std::string& file : PgnFiles()) {
        SCOPED_TRACE(file);
        for (const auto& [data, raw] : ReadGames(file)) {
            SCOPED_TRACE(raw.substr(0, 60));
            std::optional<CAnnotatedGame> read;
            try {
                read.emplace(CAnnotationReader::Read(raw, data));
            } catch (const CGeneralException& e) {
                FAIL() << e.GetMessage();
            }
            const CAnnotatedGame& game = *read;
            const std::vector<int>& main = game.MainLine().moves;
            ASSERT_EQ(static_cast<int>(main.size()), data.MovesCount());
            for (int i = 0; i < data.MovesCount(); ++i) {
                EXPECT_EQ(game.Move(main[static_cast<std::size_t>(i)]).move, data.GetMove(i));
            }
            for (int index = 0; index < game.MovesCount(); ++index) {
                const CAnnotatedMove& move = game.Move(index);
                const std::vector<CMove> path = game.MovesTo(index);
                ASSERT_EQ(static_cast<int>(path.size()), move.ply);
                CChessSet set;
                set.SetUp(StartPosition(data.GetStart()).board);
                for (std::size_t i = 0; i + 1 < path.size(); ++i) {
                    set.Move(path[i]);
                }
                std::string san = move.san;
                std::erase(san, '#');
                EXPECT_EQ(CPGNReader::FindMove(san, game.Colour(index), set), move.move) << san;
                EXPECT_EQ(path.back(), move.move);
            }
        }
    }
}

// Every game written with its tree reads back as the same tree; written with notes, each move
// reads back with its note's evaluation, glyph and line.
TEST(AnnotationReader, WrittenGamesReadBackAsTheirTrees) {
    const char* const evals[] = {"0.45", "-1.20", "#3", "#-2"};
    for (const std::string& file : PgnFiles()) {
        for (const auto& [data, raw] : ReadGames(file)) {
            const CAnnotatedGame tree = CAnnotationReader::Read(raw, data);
            std::vector<CMoveNote> notes(static_cast<std::size_t>(data.MovesCount()));
            for (std::size_t i = 0; i < notes.size(); ++i) {
                notes[i] = {evals[i % 4],
                            static_cast<std::uint8_t>(i % 3 == 0 ? 0 : 2 * (i % 3)),
                            {data.GetMove(static_cast<int>(i))}};
            }
            for (const std::vector<CMoveNote>* added : {&notes, (std::vector<CMoveNote>*)nullptr}) {
                const std::string text = WritePgnGame(data, &tree, added);
                SCOPED_TRACE(text);
                CPGNReader reader;
                reader.LoadText(text);
                ASSERT_EQ(reader.GamesCount(), 1);
                const CAnnotatedGame back = CAnnotationReader::Read(text, reader.GetGameData(0));
                ASSERT_EQ(back.Tags().size(), tree.Tags().size());
                for (std::size_t t = 0; t < tree.Tags().size(); ++t) {
                    EXPECT_EQ(back.Tags()[t].value, tree.Tags()[t].value);
                }
                if (added == nullptr) {
                    EXPECT_EQ(Render(back, 0, true), Render(tree, 0, true));
                    continue;
                }
                for (std::size_t i = 0; i < notes.size(); ++i) {
                    const CAnnotatedMove& move = back.Move(back.MainLine().moves[i]);
                    EXPECT_EQ(move.eval, notes[i].eval);
                    EXPECT_TRUE(
                        notes[i].glyph == 0 ||
                        std::count(move.glyphs.begin(), move.glyphs.end(), notes[i].glyph) == 1);
                    EXPECT_EQ(back.Line(move.variations.back()).moves.size(), 1u);
                }
            }
        }
    }
}

// Each fixture with a .tree file beside it reads as the tree written there.
TEST(AnnotationReader, FixturesGiveTheirTrees) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator("tests/fixtures/pgn")) {
        if (entry.path().extension() == ".tree") {
            std::filesystem::path pgn = entry.path();
            const std::vector<CAnnotatedGame> games = ReadAnnotated(pgn.replace_extension(".pgn"));
            ASSERT_EQ(games.size(), 1u) << pgn;
            EXPECT_EQ(Render(games[0]) + "\n", ReadFile(entry.path())) << pgn;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 6);
}

// Walks follow the variations back to the game's start. (The main line's comments, keyed by
// ply, are the tool case annotations_follow_moves.)
TEST(AnnotationReader, WalksFollowTheVariations) {
    const CAnnotatedGame game = ReadAnnotated("tests/fixtures/pgn/nested_variations.pgn").at(0);
    int h3 = 0;
    while (game.Move(h3).san != "h3") {
        ++h3;
    }
    std::string path;
    for (int move = h3; move != CAnnotatedGame::kNone; move = game.Previous(move)) {
        path = game.Move(move).san + " " + path;
    }
    EXPECT_EQ(path, "e4 e5 Nf3 d6 Bc4 Bg4 h3 ");
    EXPECT_EQ(game.Depth(h3), 3);
    EXPECT_EQ(game.MoveNumber(h3), 4);
    EXPECT_EQ(game.Colour(h3), White);
    EXPECT_EQ(game.Next(h3), CAnnotatedGame::kNone);
    const int d6 = game.Previous(game.Previous(game.Previous(h3)));
    EXPECT_EQ(game.Move(game.Next(d6)).san, "d4");
    EXPECT_EQ(game.Previous(game.Line(1).moves.at(0)), CAnnotatedGame::kNone);
    EXPECT_THROW_MSG(game.MovesTo(game.MovesCount()), CPGNReaderException,
                     "CAnnotatedGame::Move(): Index out of range!");
}

// Each side's clock in a position is its last [%clk] on the way there, in a variation too.
TEST(AnnotationReader, ClocksOfAPositionAreEachSidesLastOnTheWay) {
    const CAnnotatedGame game = CAnnotationReader::Read(
        "[Event \"Clocks\"]\n1. e4 {[%clk 1:00:00]} e5 {[%clk 0:59:00]} 2. Nf3 (2. f4 "
        "{[%clk 0:58:00]}) 2... Nc6 {[%clk 0:57:00]} *",
        "", {{4, 1, 4, 3}, {4, 6, 4, 4}, {6, 0, 5, 2}, {1, 7, 2, 5}});
    using Clocks = std::array<std::string, 2>;
    EXPECT_EQ(ClocksAt(game, CAnnotatedGame::kNone), (Clocks{"", ""}));
    EXPECT_EQ(ClocksAt(game, game.MainLine().moves[2]), (Clocks{"1:00:00", "0:59:00"}));
    EXPECT_EQ(ClocksAt(game, game.MainLine().moves[3]), (Clocks{"1:00:00", "0:57:00"}));
    EXPECT_EQ(ClocksAt(game, game.Line(1).moves[0]), (Clocks{"0:58:00", "0:59:00"}));
}

// Nesting deeper than any call stack would allow, and variations that replace nothing.
TEST(AnnotationReader, ReadsVariationsNestedAHundredThousandDeep) {
    const int depth = 100000;
    std::string text = "[Event \"Deep\"]\n1. e4 ";
    for (int i = 0; i < depth; ++i) {
        text += "(1. d4 ";
    }
    text += std::string(depth, '(') + std::string(2 * depth, ')') + " 1... e5 *";
    const CAnnotatedGame game = CAnnotationReader::Read(text, "", {{4, 1, 4, 3}, {4, 6, 4, 4}});
    EXPECT_EQ(game.LinesCount(), depth + 1);
    EXPECT_EQ(game.Depth(game.Line(depth).moves.at(0)), depth);
    EXPECT_EQ(game.MovesTo(game.Line(depth).moves.at(0)).size(), 1u);
}

TEST(AnnotationReader, RefusesWithTheOffendingToken) {
    const std::vector<CMove> e4e5 = {{4, 1, 4, 3}, {4, 6, 4, 4}};
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"[Event \"x\"]\n1. e4 {never closed", "Comment \"{never closed\" is not closed!"},
        {"[Event \"x\"]\n[Site x]\n1. e4 [Site x] e5", "Tag pair \"[Site x] e5\" is not valid!"},
        {"[Event \"x\"] 1. e4 ) e5", "\")\" closes no variation!"},
        {"1. e4 Ke5", "The main line's move 1... \"Ke5\" cannot be played: CPGNReader::"
                      "FindNKSrcField(): There is no piece to make the move!"},
        {"1. e4 e5abcdefghijklmnopqrstuvwxyz0123456789",
         "The main line's move 1... \"e5abcdefghijklmnopqrstuvwxyz0123...\" cannot be played: "
         "CPGNReader::GetFieldCoords(): Invalid 's' parameter!"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW_MSG(CAnnotationReader::Read(c.text, "", e4e5), CPGNReaderException,
                         "CAnnotationReader::Read(): " + std::string(c.message));
    }
    // The file changed after loading: each edited game against the moves as they were loaded.
    const auto games = ReadGames("tests/fixtures/pgn/main_line_disagrees.pgn");
    const char* const changed[] = {
        "The main line's move 2... \"Nf6\" is not the game's move!",
        "The main line ends after 4 moves; the game has 6!",
        "The main line's move 4. \"Ba4\" stands beyond the game's 6 moves!",
    };
    for (std::size_t k = 1; k < games.size(); ++k) {
        EXPECT_THROW_MSG(CAnnotationReader::Read(games[k].second, games[0].first),
                         CPGNReaderException,
                         "CAnnotationReader::Read(): " + std::string(changed[k - 1]));
    }
}
