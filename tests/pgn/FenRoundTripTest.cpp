#include "chess/FenWriter.h"
#include "chess/LegalMoves.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"
#include "pgn/PgnWriter.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Random games from the initial position and from set-up starts, their castlings, captures en
// passant and promotions favoured: the FEN of every ply reads back as the same position, and a
// set-up game from a random ply (written by the PGN writer) reads back with the same moves and
// the same positions after them.
TEST(FenRoundTrip, EveryPlyOfRandomGamesReadsBackAsTheSamePosition) {
    const char* const starts[] = {
        "",
        "r3k2r/pppq1ppp/2n2n2/3pP3/1b6/2N2N2/PPPQ1PPP/R3K2R w KQkq d6 0 9",
        "4k3/1P4P1/8/8/8/8/1p4p1/R3K2R b KQ - 5 40",
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    };
    std::mt19937 rng(28);
    int castlings = 0, enPassants = 0, promotions = 0, enPassantSquares = 0;
    for (int round = 0; round < 160; ++round) {
        const std::string start = starts[round % 4];
        CPosition position = StartPosition(start);
        std::vector<CPosition> positions{position};
        std::vector<CMove> moves;
        for (int ply = 0; ply < 150; ++ply) {
            const std::vector<CMove> legal = LegalMoves(position);
            if (legal.empty()) {
                break;
            }
            CMove move = legal[rng() % legal.size()];
            for (const CMove& candidate : legal) {
                const CDestination to = candidate.Destination();
                const CField& target = position.board.GetField(to.file, to.rank);
                const bool special =
                    (to.promotion != Pawn) ||
                    (!target.IsEmpty() && target.Piece().color == position.sideToMove) ||
                    (position.board.GetField(candidate.sourceFile, candidate.sourceRank)
                         .Holds({position.sideToMove, Pawn}) &&
                     target.IsEmpty() && to.file != candidate.sourceFile);
                if (special && rng() % 2 == 0) {
                    move = candidate;
                    castlings += !target.IsEmpty() && to.promotion == Pawn;
                    promotions += to.promotion != Pawn;
                    enPassants += target.IsEmpty() && to.promotion == Pawn;
                    break;
                }
            }
            position.Play(move);
            moves.push_back(move);
            positions.push_back(position);
            enPassantSquares += position.enPassantFile >= 0;
            ASSERT_EQ(ParseFen(WriteFen(position)), position) << WriteFen(position);
        }
        const std::size_t from = rng() % positions.size();
        const std::string fen = WriteFen(positions[from]);
        const CChessGameData setUp("Random", "", "", "", "", "", ResultNone,
                                   {moves.begin() + static_cast<long>(from), moves.end()}, fen);
        CPGNReader reader;
        reader.LoadText(WritePgnGame(setUp));
        ASSERT_EQ(reader.GamesCount(), 1) << WritePgnGame(setUp);
        const CChessGameData read = reader.GetGameData(0);
        ASSERT_EQ(read.MovesCount(), static_cast<int>(moves.size() - from));
        CPosition replay = StartPosition(read.GetStart());
        for (int i = 0; i < read.MovesCount(); ++i) {
            ASSERT_EQ(read.GetMove(i), moves[from + static_cast<std::size_t>(i)]);
            EXPECT_EQ(replay, positions[from + static_cast<std::size_t>(i)]);
            replay.Play(read.GetMove(i));
        }
    }
    EXPECT_GT(castlings, 50);
    EXPECT_GT(enPassants, 20);
    EXPECT_GT(promotions, 50);
    EXPECT_GT(enPassantSquares, 500);
}
