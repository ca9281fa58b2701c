#include "chess/ChessSet.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The games shipped in samples/ must all read, and between them show every kind of move the
// viewer animates.

namespace {

struct CMoveKinds {
    bool kingsideCastling = false;
    bool queensideCastling = false;
    bool capture = false;
    bool enPassant = false;
    bool promotion = false;
    bool capturingPromotion = false;
};

// Classifies the move on the position before it, then plays it.
void PlayAndClassify(CChessSet& set, const CMove& move, CMoveKinds& kinds) {
    const CChessboardState& board = set.Board();
    const CPiece mover = board.GetField(move.sourceFile, move.sourceRank).Piece();
    const bool promotion = move.destRank > 7 || move.destRank < 0;
    const int destRank = promotion ? (move.destRank > 7 ? 7 : 0) : move.destRank;
    const CField dest = board.GetField(move.destFile, destRank);
    const bool occupied = !dest.IsEmpty();

    if (mover.type == King && occupied && dest.Piece().color == mover.color) {
        (move.destFile == 7 ? kinds.kingsideCastling : kinds.queensideCastling) = true;
    } else if (occupied) {
        kinds.capture = true;
    } else if (mover.type == Pawn && move.destFile != move.sourceFile) {
        kinds.enPassant = true;
    }
    if (promotion) {
        (occupied ? kinds.capturingPromotion : kinds.promotion) = true;
    }
    set.Move(move);
}

std::vector<std::string> SampleFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("samples")) {
        if (entry.is_regular_file() && entry.path().extension() == ".pgn") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(Samples, EveryGameReadsAndTheMoveKindsAreAllThere) {
    const std::vector<std::string> files = SampleFiles();
    ASSERT_FALSE(files.empty());

    CMoveKinds kinds;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        CPGNReader reader;
        reader.Load(file);
        const CLoadReport report = reader.LastLoadReport();
        for (const CDroppedGame& dropped : report.dropped) {
            ADD_FAILURE() << "game " << dropped.ordinal << " dropped: " << dropped.message;
        }
        EXPECT_GE(report.gamesRead, 1);
        EXPECT_EQ(report.gamesRead, report.gameTexts);

        for (int g = 0; g < reader.GamesCount(); ++g) {
            const CChessGameData game = reader.GetGameData(g);
            SCOPED_TRACE(game.GetWhite() + " - " + game.GetBlack());
            EXPECT_NE(game.GetResult(), ResultNone);
            CChessSet set;
            for (int i = 0; i < game.MovesCount(); ++i) {
                ASSERT_NO_THROW(PlayAndClassify(set, game.GetMove(i), kinds)) << "move " << i;
            }
        }
    }
    EXPECT_TRUE(kinds.kingsideCastling);
    EXPECT_TRUE(kinds.queensideCastling);
    EXPECT_TRUE(kinds.capture);
    EXPECT_TRUE(kinds.enPassant);
    EXPECT_TRUE(kinds.promotion);
    EXPECT_TRUE(kinds.capturingPromotion);
}
