#include "FenTestUtil.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

namespace {

std::vector<CChessGameData> Games(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    std::vector<CChessGameData> games;
    for (int i = 0; i < reader.GamesCount(); ++i) {
        games.push_back(reader.GetGameData(i));
    }
    return games;
}

} // namespace

// Only a text without any tag pair fails as a whole; a game of tag pairs only keeps its own.
// Where other games start is the tool case games_start_at_tag_sections.
TEST(GameParser, ATextWithoutTagPairsFailsAndAGameOfTagPairsKeepsItsOwn) {
    for (const char* text : {"", "1. e4 e5 1-0", "1. e4 [Event 1-0", "] 1. e4 [x"}) {
        EXPECT_THROW_MSG(Games(text), CPGNReaderException,
                         "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    }
    const auto games = Games("[Event \"A\"][Site \"s\"][Result \"0-1\"]\n[Event \"B\"] 1. e4 *");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].GetSite() + "|" + games[1].GetSite(), "s|");
    EXPECT_EQ(games[0].GetResult() * 10 + games[0].MovesCount(), ResultBlackWon * 10);
}

// Cutting a game at any point and writing the position there as a FEN tag pair gives a game
// whose moves are the rest of the original's: the reader resolves them on the set-up position
// exactly as it did in the whole game.
TEST(GameParser, AnyCutOfAGameReadsAsTheRestOfIt) {
    const std::vector<std::string> tokens = {
        "e4",   "d5", "e5",     "f5",  "exf6", "Nc6", "Nf3", "Qd6", "Be2", "Bd7", "O-O",  "O-O-O",
        "fxg7", "a6", "gxh8=Q", "Nh6", "d3",   "Nb4", "Bg5", "e5",  "h3",  "Bg7", "Qxd8#"};
    const auto movetext = [&](std::size_t from, int number) {
        std::string text;
        for (std::size_t i = from; i < tokens.size(); ++i) {
            if (i % 2 == 0) {
                text += std::to_string(number++) + ". ";
            } else if (i == from) {
                text += std::to_string(number++) + "... ";
            }
            text += tokens[i] + " ";
        }
        return text + "*";
    };
    const std::vector<CChessGameData> whole = Games("[Event \"E\"] " + movetext(0, 1));
    ASSERT_EQ(whole.size(), 1u);
    const CChessGameData& game = whole[0];
    ASSERT_EQ(game.MovesCount(), static_cast<int>(tokens.size()));
    CChessSet set;
    for (std::size_t cut = 0; cut <= tokens.size(); ++cut) {
        const int fullMove = static_cast<int>(cut / 2) + 1;
        const std::string fen = testutil::Placement(set.Board()) + (cut % 2 ? " b" : " w") +
                                " - - 0 " + std::to_string(fullMove);
        const std::vector<CChessGameData> rest =
            Games("[Event \"E\"][FEN \"" + fen + "\"] " + movetext(cut, fullMove));
        ASSERT_EQ(rest.size(), 1u) << fen;
        ASSERT_EQ(rest[0].MovesCount(), game.MovesCount() - static_cast<int>(cut)) << fen;
        for (int i = 0; i < rest[0].MovesCount(); ++i) {
            ASSERT_EQ(rest[0].GetMove(i), game.GetMove(static_cast<int>(cut) + i)) << fen;
        }
        if (cut < tokens.size()) {
            set.Move(game.GetMove(static_cast<int>(cut)));
        }
    }
}

// A value is read with \" and \\ decoded (characters that movetext handling would remove or act
// on read as written: the fixture bracket-in-value.pgn).
TEST(GameParser, ReadTagDecodesTheValue) {
    std::string name, value;
    CPGNReader::ReadTag("[Event\"a \\\"b\\\" \\\\ c]d\"]", name, value);
    EXPECT_EQ(name + "=" + value, "Event=a \"b\" \\ c]d");
    CPGNReader::ReadTag("[X\"\"]", name, value);
    EXPECT_EQ(value, "");
    for (const char* bad : {"[Event]", "[Event\"]", "[Event\"x\"y]", "[Event\"x]"}) {
        EXPECT_THROW_MSG(CPGNReader::ReadTag(bad, name, value), CPGNReaderException,
                         "CPGNReader::ReadTag(): Tag not valid!");
    }
}
