#include "chess/ChessExceptions.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

namespace {

// Loads a text and returns the reader's games.
std::vector<CChessGameData> Games(const std::string& text, CLoadReport* report = nullptr) {
    CPGNReader reader;
    reader.LoadText(text);
    std::vector<CChessGameData> games;
    for (int i = 0; i < reader.GamesCount(); ++i) {
        games.push_back(reader.GetGameData(i));
    }
    if (report) {
        *report = reader.LastLoadReport();
    }
    return games;
}

std::string DroppedMessage(const std::string& text) {
    CLoadReport report;
    const auto games = Games(text, &report);
    EXPECT_TRUE(games.empty()) << text;
    return report.dropped.empty() ? "" : report.dropped.front().message;
}

std::string FinalPosition(const CChessGameData& game) {
    CChessSet set;
    for (int i = 0; i < game.MovesCount(); ++i) {
        set.Move(game.GetMove(i));
        set.ClearMoveReady();
    }
    return testutil::Diagram(set.Board());
}

} // namespace

TEST(GameParser, ReadsAnAnnotatedGameToItsFinalPosition) {
    const std::string text = R"([Event "Paris"]
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
)";
    const auto games = Games(text);
    ASSERT_EQ(games.size(), 1u);
    const CChessGameData& game = games[0];
    EXPECT_EQ(game.GetEvent(), "Paris");
    EXPECT_EQ(game.GetSite(), "Paris FRA");
    EXPECT_EQ(game.GetDate(), "1858.??.??");
    EXPECT_EQ(game.GetRound(), "?");
    EXPECT_EQ(game.GetWhite(), "Morphy, Paul");
    EXPECT_EQ(game.GetBlack(), "Duke Karl / Count Isouard");
    EXPECT_EQ(game.GetResult(), ResultWhiteWon);
    EXPECT_EQ(game.MovesCount(), 33);
    EXPECT_EQ(game.GetMove(22), (CMove{4, 0, 0, 0})) << "O-O-O";
    EXPECT_EQ(FinalPosition(game),
              ".n.Rkb.r/p....ppp/....q.../....p.B./....P.../......../PPP..PPP/..K.....");
}

TEST(GameParser, ImportFormsOfRealFilesAreRead) {
    // Glued move numbers for both sides, castling with zeros, suffix annotations, en passant
    // and a capturing promotion.
    const auto games = Games("[Event \"E\"]\n1.e4 d5 2.e5 f5 3.exf6 gxf6 4.Nf3 Kf7 5.Be2 Kg6 "
                             "6.0-0?! Kh5 7.c4 Nc6 8.cxd5 Nb4 9.d6 a6 10.dxe7 10...Qd7 "
                             "11.exf8=Q 1-0");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].MovesCount(), 21);
    EXPECT_EQ(games[0].GetMove(4), (CMove{4, 4, 5, 5})) << "exf6 en passant";
    EXPECT_EQ(games[0].GetMove(10), (CMove{4, 0, 7, 0})) << "0-0";
    EXPECT_EQ(games[0].GetMove(20), (CMove{4, 6, 5, 11})) << "exf8=Q";
    EXPECT_EQ(FinalPosition(games[0]).substr(0, 17), "r.b..Qnr/.ppq...p");

    EXPECT_EQ(Games("[Event \"E\"] 1. d4 e5 2. d5 c5 3. dxc6 bxc6 4. e4 Ba6 5. e5 f5 6. exf6 "
                    "Bxf1 7. fxg7 Bxg2 8. gxh8=Q 1-0")
                  .at(0)
                  .MovesCount(),
              15);
}

TEST(GameParser, DroppedGamesLeaveTheOthersAndAreReported) {
    CLoadReport report;
    const auto games = Games("[Event \"A\"] 1. e4 e5 1-0\n"
                             "[Event \"B\"] 1. e4 e5 2. Ke3 1-0\n"
                             "[Event \"C\"] 1. d4 1/2-1/2\n"
                             "[Event \"D\"] 1. d4 d5 2. Qd3?? Nh6 3. Qxh7 Rxh7 0-1\n",
                             &report);
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[0].GetEvent(), "A");
    EXPECT_EQ(games[1].GetEvent(), "C");
    EXPECT_EQ(games[2].GetEvent(), "D");
    EXPECT_EQ(report.gameTexts, 4);
    EXPECT_EQ(report.gamesRead, 3);
    ASSERT_EQ(report.dropped.size(), 1u);
    EXPECT_EQ(report.dropped[0].ordinal, 1);
    EXPECT_EQ(report.dropped[0].message,
              "CPGNReader::FindNKSrcField(): There is no piece to make the move!");
}

TEST(GameParser, GamesStartAtTagSectionsAndAtFurtherEventPairs) {
    // Only a text without any tag pair fails as a whole.
    for (const char* text : {"", "1. e4 e5 1-0", "1. e4 [Event 1-0", "] 1. e4 [x"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW_MSG(Games(text), CPGNReaderException,
                         "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    }
    auto games = Games("1. e4 e5 [event \"x\"] 1-0");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].GetEvent(), "x");
    EXPECT_EQ(games[0].GetResult(), ResultWhiteWon);
    EXPECT_EQ(Games("[EVENT \"late\"][Event \"x\"][EVENT \"y\"] *").at(0).GetEvent(), "y");

    // Tag pairs between a game's end and the next Event pair belong to the next game.
    games = Games("[Event \"A\"] 1. e4 1-0 [Site \"x\"] [White \"w\"] [Event \"B\"] 1. d4 *");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].GetSite(), "");
    EXPECT_EQ(games[0].MovesCount(), 1);
    EXPECT_EQ(games[1].GetSite(), "x");
    EXPECT_EQ(games[1].GetWhite(), "w");
    games = Games("[Event \"A\"] 1. e4 e5 [Site \"x\"] [Event \"B\"] 1. d4 *");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].GetResult(), ResultNone);
    EXPECT_EQ(games[1].GetSite(), "x");

    // A game of tag pairs only keeps its own pairs.
    games = Games("[Event \"A\"][Site \"s\"][Result \"0-1\"]\n[Event \"B\"] 1. e4 *");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].GetSite(), "s");
    EXPECT_EQ(games[0].MovesCount(), 0);
    EXPECT_EQ(games[0].GetResult(), ResultBlackWon);
    EXPECT_EQ(games[1].GetSite(), "");

    // Text before the first game is ignored.
    EXPECT_EQ(Games("junk 1. e4 [Event \"A\"] *").size(), 1u);
}

TEST(GameParser, ResultTagAndTerminationMarker) {
    struct Case {
        const char* result; // nullptr: no Result tag pair
        const char* marker;
        int code; // -1: dropped for inconsistency
    };
    const Case cases[] = {
        {"1-0", "0-1", -1},  {"*", "1-0", 0},
        {nullptr, "1-0", 0}, {"1-0", "", 0},
        {nullptr, "", 3},    {"*", "*", 3},
        {"", "*", 3},        {nullptr, "*", 3},
        {"1-0", "*", -1},    {"1/2-1/2", "1/2-1/2", 2},
        {"0-1", "*", -1},
    };
    for (const Case& c : cases) {
        std::string text = "[Event \"E\"]";
        if (c.result) {
            text += std::string("[Result \"") + c.result + "\"]";
        }
        text += std::string(" 1. e4 e5 ") + c.marker;
        if (c.code < 0) {
            EXPECT_EQ(DroppedMessage(text),
                      "CPGNReader::ParseGame(): There is inconsistency in game result!")
                << text;
        } else {
            EXPECT_EQ(Games(text).at(0).GetResult(), c.code) << text;
        }
    }
    EXPECT_EQ(DroppedMessage("[Event \"E\"][Result \" 1-0\"] *"),
              "CPGNReader::ParseGame(): 'Result' tag not valid!");
    const auto ended = Games("[Event \"E\"] 1. e4 e5 1-0 2. Nf3 Zz9");
    EXPECT_EQ(ended.at(0).MovesCount(), 2);
}

TEST(GameParser, MovetextShapeErrors) {
    EXPECT_EQ(DroppedMessage("[Event \"E\"] 2. e4 e5"),
              "CPGNReader::ParseGame(): Move number not valid!");
    EXPECT_EQ(DroppedMessage("[Event \"E\"] 1. e4 e5 e4"),
              "CPGNReader::ParseGame(): There is no '.' after the move number!");
    EXPECT_EQ(DroppedMessage("[Event \"E\"] 1. e4 e5 3. d4"),
              "CPGNReader::ParseGame(): Move number not valid!");
    EXPECT_EQ(DroppedMessage("[Event \"E\"][Site \"x\" 1. e4"),
              "CPGNReader::ParseGame(): Tag not closed!");
    EXPECT_EQ(DroppedMessage("[Event \"E\"][Site] 1. e4"), "CPGNReader::ReadTag(): Tag not valid!");
    // Escape lines inside movetext are ignored.
    EXPECT_EQ(Games("[Event \"E\"]\n1. e4 e5\n%pause\n2. Nf3 *").at(0).MovesCount(), 3);
}

TEST(GameParser, ReadTagDecodesTheValue) {
    std::string name, value;
    CPGNReader::ReadTag("[Event\"a \\\"b\\\" \\\\ c]d\"]", name, value);
    EXPECT_EQ(name, "Event");
    EXPECT_EQ(value, "a \"b\" \\ c]d");
    CPGNReader::ReadTag("[X\"\"]", name, value);
    EXPECT_EQ(value, "");
    for (const char* bad : {"[Event]", "[Event\"]", "[Event\"x\"y]", "[Event\"x]"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW_MSG(CPGNReader::ReadTag(bad, name, value), CPGNReaderException,
                         "CPGNReader::ReadTag(): Tag not valid!");
    }
    // Characters that movetext handling would remove or act on read as written in a value.
    const auto games = Games("[Event \"Match #3; (final) $100 a]b Wait...\"][White \"A\"] 1. e4 *");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].GetEvent(), "Match #3; (final) $100 a]b Wait...");
}
