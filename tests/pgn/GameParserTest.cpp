#include "FenTestUtil.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

namespace {

// What a text reads as: for each game text, "event result moves" or the message that dropped
// it, separated by " | ".
std::string Read(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    const CLoadReport report = reader.LastLoadReport();
    std::string out;
    for (int k = 0, read = 0, dropped = 0; k < report.gameTexts; ++k) {
        out += k > 0 ? " | " : "";
        if (dropped < static_cast<int>(report.dropped.size()) &&
            report.dropped[static_cast<std::size_t>(dropped)].ordinal == k) {
            out += report.dropped[static_cast<std::size_t>(dropped++)].message;
        } else {
            const CChessGameData game = reader.GetGameData(read++);
            out += game.GetEvent() + " " + std::to_string(game.GetResult()) + " " +
                   std::to_string(game.MovesCount());
        }
    }
    return out;
}

std::vector<CChessGameData> Games(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    std::vector<CChessGameData> games;
    for (int i = 0; i < reader.GamesCount(); ++i) {
        games.push_back(reader.GetGameData(i));
    }
    return games;
}

std::string FinalPosition(const CChessGameData& game) {
    CChessSet set;
    for (int i = 0; i < game.MovesCount(); ++i) {
        set.Move(game.GetMove(i));
    }
    return testutil::Diagram(set.Board());
}

} // namespace

// Comments, variations, glyphs and suffixes are read past; castling, checks and a mate are
// resolved to the game's final position.
TEST(GameParser, ReadsAnAnnotatedGameToItsFinalPosition) {
    const auto games = Games(R"([Event "Paris"]
[Site "Paris FRA"]
[Date "1858.??.??"]
[Round "?"]
[White "Morphy, Paul"]
[Black "Duke Karl / Count Isouard"]
[Result "1-0"]
[ECO "C41"]

1. e4 e5 2. Nf3 d6 {Philidor} 3. d4 Bg4 $2 {[%clk 0:01:02]} 4. dxe5 Bxf3 5. Qxf3
dxe5 6. Bc4 Nf6 7. Qb3 Qe7 8. Nc3 (8. Qxb7 Qb4+) 8... c6 9. Bg5 b5?! 10. Nxb5! cxb5
11. Bxb5+ Nbd7 12. O-O-O Rd8 13. Rxd7 Rxd7 14. Rd1 Qe6 15. Bxd7+ Nxd7 16. Qb8+!!
Nxb8 17. Rd8# 1-0
)");
    ASSERT_EQ(games.size(), 1u);
    const CChessGameData& game = games[0];
    EXPECT_EQ(game.GetEvent() + "|" + game.GetSite() + "|" + game.GetDate() + "|" +
                  game.GetRound() + "|" + game.GetWhite() + "|" + game.GetBlack(),
              "Paris|Paris FRA|1858.??.??|?|Morphy, Paul|Duke Karl / Count Isouard");
    EXPECT_EQ(game.GetResult(), ResultWhiteWon);
    EXPECT_EQ(game.MovesCount(), 33);
    EXPECT_EQ(game.GetMove(22), (CMove{4, 0, 0, 0})) << "O-O-O";
    EXPECT_EQ(FinalPosition(game),
              ".n.Rkb.r/p....ppp/....q.../....p.B./....P.../......../PPP..PPP/..K.....");
}

// Glued move numbers for both sides, castling with zeros, suffix annotations, en passant and
// capturing promotions, as real files write them.
TEST(GameParser, ImportFormsOfRealFilesAreRead) {
    const auto games = Games("[Event \"E\"]\n1.e4 d5 2.e5 f5 3.exf6 gxf6 4.Nf3 Kf7 5.Be2 Kg6 "
                             "6.0-0?! Kh5 7.c4 Nc6 8.cxd5 Nb4 9.d6 a6 10.dxe7 10...Qd7 "
                             "11.exf8=Q 1-0\n[Event \"F\"] 1. d4 e5 2. d5 c5 3. dxc6 bxc6 4. e4 "
                             "Ba6 5. e5 f5 6. exf6 Bxf1 7. fxg7 Bxg2 8. gxh8=Q 1-0");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].MovesCount(), 21);
    EXPECT_EQ(games[0].GetMove(4), (CMove{4, 4, 5, 5})) << "exf6 en passant";
    EXPECT_EQ(games[0].GetMove(10), (CMove{4, 0, 7, 0})) << "0-0";
    EXPECT_EQ(games[0].GetMove(20), (CMove{4, 6, 5, 11})) << "exf8=Q";
    EXPECT_EQ(FinalPosition(games[0]).substr(0, 17), "r.b..Qnr/.ppq...p");
    EXPECT_EQ(games[1].MovesCount(), 15);
}

// A game starts at each tag section and at each further Event pair; text before the first is
// ignored, and only a text without any tag pair fails as a whole.
TEST(GameParser, GamesStartAtTagSectionsAndAtFurtherEventPairs) {
    for (const char* text : {"", "1. e4 e5 1-0", "1. e4 [Event 1-0", "] 1. e4 [x"}) {
        EXPECT_THROW_MSG(Games(text), CPGNReaderException,
                         "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    }
    EXPECT_EQ(Read("1. e4 e5 [event \"x\"] 1-0"), "x 0 0");
    EXPECT_EQ(Read("[EVENT \"late\"][Event \"x\"][EVENT \"y\"] *"), "y 3 0");
    EXPECT_EQ(Read("junk 1. e4 [Event \"A\"] *"), "A 3 0");
    // Pairs between a game's end and the next Event pair belong to the next game, and a game of
    // tag pairs only keeps its own.
    auto games = Games("[Event \"A\"] 1. e4 1-0 [Site \"x\"] [White \"w\"] [Event \"B\"] 1. d4 *");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].GetSite() + "|" + games[1].GetSite() + "|" + games[1].GetWhite(), "|x|w");
    EXPECT_EQ(Read("[Event \"A\"] 1. e4 e5 [Site \"x\"] [Event \"B\"] 1. d4 *"), "A 3 2 | B 3 1");
    games = Games("[Event \"A\"][Site \"s\"][Result \"0-1\"]\n[Event \"B\"] 1. e4 *");
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

// Characters that movetext handling would remove or act on read as written in a value.
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
    EXPECT_EQ(Read("[Event \"Match #3; (final) $100 a]b Wait...\"][White \"A\"] 1. e4 *"),
              "Match #3; (final) $100 a]b Wait... 3 1");
}
