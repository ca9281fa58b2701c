#include "FenTestUtil.h"
#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using testutil::Diagram;

namespace {

const char* const kNotValid = "CPGNReader::ParseGame(): FEN not valid!";
const char* const kVariant = "CPGNReader::ParseGame(): Variant not supported!";
const char* const kBadNumber = "CPGNReader::ParseGame(): Move number not valid!";

// Loads a text of one game: the game read, or the message that dropped it.
struct CReadGame {
    std::vector<CChessGameData> games;
    std::string dropped;
};

CReadGame Read(const std::string& text) {
    CPGNReader reader;
    reader.LoadText(text);
    CReadGame out;
    for (int i = 0; i < reader.GamesCount(); ++i) {
        out.games.push_back(reader.GetGameData(i));
    }
    const CLoadReport report = reader.LastLoadReport();
    if (!report.dropped.empty()) {
        out.dropped = report.dropped.front().message;
    }
    return out;
}

std::string Dropped(const std::string& text) {
    const CReadGame read = Read(text);
    EXPECT_TRUE(read.games.empty()) << text;
    return read.dropped;
}

// The position after the game's moves, played from its own start.
std::string FinalPosition(const CChessGameData& game) {
    CChessSet set;
    set.SetUp(StartPosition(game.GetStart()).board);
    for (int i = 0; i < game.MovesCount(); ++i) {
        set.Move(game.GetMove(i));
        set.ClearMoveReady();
    }
    return Diagram(set.Board());
}

std::string Game(const std::string& tags, const std::string& movetext) {
    return "[Event \"E\"]" + tags + "\n\n" + movetext + "\n";
}

std::string FenGame(const std::string& fen, const std::string& movetext) {
    return Game("[SetUp \"1\"][FEN \"" + fen + "\"]", movetext);
}

} // namespace

TEST(SetUpPositionGame, WhiteOrBlackToMoveAndTheFirstMoveNumber) {
    // White to move at full-move 30: the movetext starts with "30.".
    const std::string white = "8/8/4k3/8/2K5/8/3R4/8 w - - 0 30";
    CReadGame read = Read(FenGame(white, "30. Rd4 Ke5 31. Kc5 *"));
    ASSERT_EQ(read.games.size(), 1u) << read.dropped;
    EXPECT_EQ(read.games[0].GetStart(), white);
    EXPECT_EQ(read.games[0].GetMove(0), (CMove{3, 1, 3, 3}));
    EXPECT_EQ(FinalPosition(read.games[0]),
              "......../......../......../..K.k.../...R..../......../......../........");
    EXPECT_EQ(Dropped(FenGame(white, "1. Rd4 Ke5 *")), kBadNumber);
    EXPECT_EQ(Dropped(FenGame(white, "31. Rd4 Ke5 *")), kBadNumber);

    // Black to move at 30: Black's move comes first, its "30..." removed; then 31.
    const std::string black = "8/8/4k3/8/2K5/8/3R4/8 b - - 12 30";
    read = Read(FenGame(black, "30... Ke5 31. Rd5+ Ke4 32. Rd4+ Ke3 1/2-1/2"));
    ASSERT_EQ(read.games.size(), 1u) << read.dropped;
    EXPECT_EQ(read.games[0].MovesCount(), 5);
    EXPECT_EQ(read.games[0].GetMove(0), (CMove{4, 5, 4, 4})) << "Black's Ke5";
    EXPECT_EQ(read.games[0].GetResult(), ResultDraw);
    EXPECT_EQ(FinalPosition(read.games[0]),
              "......../......../......../......../..KR..../....k.../......../........");
    EXPECT_EQ(Read(FenGame(black, "Ke5 31. Rd5+ *")).games.size(), 1u) << "no 30... at all";
    EXPECT_EQ(Dropped(FenGame(black, "30... Ke5 30. Rd5+ *")), kBadNumber);
    EXPECT_EQ(Dropped(FenGame(black, "30... Ke5 32. Rd5+ *")), kBadNumber);

    // The largest full-move number, with Black to move: White's next number is one beyond it.
    read = Read(FenGame("8/8/4k3/8/2K5/8/3R4/8 b - - 0 2147483647", "Ke5 2147483648. Rd5+ *"));
    EXPECT_EQ(read.games.size(), 1u) << read.dropped;

    // A puzzle exported with full-move 0 starts at 1.
    const std::string puzzle =
        "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 0";
    read = Read(Game("[Result \"1-0\"][FEN \"" + puzzle + "\"]", "1. Qxf7# 1-0"));
    ASSERT_EQ(read.games.size(), 1u) << read.dropped;
    EXPECT_EQ(read.games[0].GetMove(0), (CMove{7, 4, 5, 6}));
    EXPECT_EQ(Dropped(FenGame(puzzle, "0. Qxf7# 1-0")), kBadNumber);

    // Games without a FEN tag pair keep starting at 1 from the initial position.
    read = Read(Game("", "1. e4 e5 *"));
    ASSERT_EQ(read.games.size(), 1u);
    EXPECT_EQ(read.games[0].GetStart(), "");
}

TEST(SetUpPositionGame, FenTagPairsAreMatchedLikeTheOthers) {
    const std::string kings = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1";
    // Any case; SetUp neither needed nor checked; a later FEN pair wins over an earlier one.
    for (const std::string& tags :
         {"[fen \"" + kings + "\"]", "[FEN \"" + kings + "\"][SetUp \"0\"]",
          "[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"][Fen \"" + kings + "\"]"}) {
        const CReadGame read = Read(Game(tags, "1. e4 Kd7 *"));
        ASSERT_EQ(read.games.size(), 1u) << tags << ": " << read.dropped;
        EXPECT_EQ(read.games[0].GetStart(), kings);
    }
    EXPECT_EQ(Dropped(Game("[FEN \"" + kings + "\"][FEN \"\"]", "1. e4 *")), kNotValid);
    EXPECT_EQ(Dropped(FenGame("4k3/8/8/8/8/8/8/3KK3 w - - 0 1", "1. Kc2 *")), kNotValid);
    EXPECT_EQ(Dropped(FenGame("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "1. e4 e5 *")),
              "CChessboardState::GetField(): Index out of range!")
        << "no black pawn to play e5: moves are resolved on the set-up position";
    // Castling rights are not consulted: O-O is played whenever the squares allow it. The
    // en-passant capture follows from the board, whatever the en-passant field says.
    const CReadGame read =
        Read(FenGame("r3k2r/8/8/8/3pP3/8/8/R3K2R b - - 0 7", "7... dxe3 8. O-O O-O-O *"));
    ASSERT_EQ(read.games.size(), 1u) << read.dropped;
    EXPECT_EQ(FinalPosition(read.games[0]),
              "..kr...r/......../......../......../......../....p.../......../R....RK.");
}

TEST(SetUpPositionGame, VariantsOtherThanStandardChessAreDropped) {
    for (const char* variant :
         {"", "Standard", "CHESS", "regular", "Normal", "From Position", "from position"}) {
        const CReadGame read = Read(Game(std::string("[Variant \"") + variant + "\"]", "1. e4 *"));
        EXPECT_EQ(read.games.size(), 1u) << variant << ": " << read.dropped;
    }
    for (const char* variant :
         {"Chess960", "Crazyhouse", "fromposition", "standard ", "Three-check", "Standard\\\""}) {
        EXPECT_EQ(Dropped(Game(std::string("[Variant \"") + variant + "\"]", "1. e4 *")), kVariant)
            << variant;
    }
    EXPECT_EQ(Dropped(Game("[variant \"Standard\"][VARIANT \"atomic\"]", "1. e4 *")), kVariant);
    EXPECT_EQ(Read(Game("[Variant \"atomic\"][Variant \"Standard\"]", "1. e4 *")).games.size(), 1u);

    // Result first, then Variant, then FEN; Chess960 castling rights name the variant.
    const std::string chess960 = "[FEN \"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/"
                                 "BQ1BNRKR w HFhf - 2 9\"]";
    EXPECT_EQ(Dropped(Game("[FEN \"x\"][Variant \"Chess960\"][Result \"2-0\"]", "*")),
              "CPGNReader::ParseGame(): 'Result' tag not valid!");
    EXPECT_EQ(Dropped(Game("[FEN \"x\"][Variant \"Chess960\"]", "*")), kVariant);
    EXPECT_EQ(Dropped(Game("[FEN \"x\"][Variant \"Standard\"]", "*")), kNotValid);
    EXPECT_EQ(Dropped(Game(chess960, "9. g3 *")), kVariant);
    EXPECT_EQ(Dropped(Game(chess960 + "[Variant \"Chess960\"]", "9. g3 *")), kVariant);
}

// Cutting a game at any point and writing the position there as a FEN tag pair gives a game
// whose moves are the rest of the original's: the reader resolves them on the set-up position
// exactly as it did in the whole game.
TEST(SetUpPositionGame, AnyCutOfAGameReadsAsTheRestOfIt) {
    const std::vector<std::string> tokens = {
        "e4",   "d5", "e5",     "f5",  "exf6", "Nc6", "Nf3", "Qd6", "Be2", "Bd7", "O-O",  "O-O-O",
        "fxg7", "a6", "gxh8=Q", "Nh6", "d3",   "Nb4", "Bg5", "e5",  "h3",  "Bg7", "Qxd8#"};
    auto movetext = [&](std::size_t from, int firstNumber) {
        std::string text;
        int number = firstNumber;
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
    const CReadGame whole = Read(Game("", movetext(0, 1)));
    ASSERT_EQ(whole.games.size(), 1u) << whole.dropped;
    const CChessGameData& game = whole.games[0];
    ASSERT_EQ(game.MovesCount(), static_cast<int>(tokens.size()));

    CChessSet set;
    for (std::size_t cut = 0; cut <= tokens.size(); ++cut) {
        const int fullMove = static_cast<int>(cut / 2) + 1;
        const std::string fen = testutil::Placement(set.Board()) + (cut % 2 ? " b" : " w") +
                                " - - 0 " + std::to_string(fullMove);
        const CReadGame rest = Read(FenGame(fen, movetext(cut, fullMove)));
        ASSERT_EQ(rest.games.size(), 1u) << fen << ": " << rest.dropped;
        ASSERT_EQ(rest.games[0].MovesCount(), game.MovesCount() - static_cast<int>(cut)) << fen;
        for (int i = 0; i < rest.games[0].MovesCount(); ++i) {
            ASSERT_EQ(rest.games[0].GetMove(i), game.GetMove(static_cast<int>(cut) + i)) << fen;
        }
        if (cut < tokens.size()) {
            set.Move(game.GetMove(static_cast<int>(cut)));
            set.ClearMoveReady();
        }
    }
}
