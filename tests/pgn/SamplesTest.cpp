#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

// The kinds of move the viewer animates, as the samples show them between them.
enum EMoveKind { Kingside, Queenside, Capture, EnPassant, Promotion, CapturingPromotion, Kinds };

// Classifies the move on the position before it.
void Classify(const CChessboardState& board, const CMove& move, bool (&seen)[Kinds]) {
    const CPiece mover = board.GetField(move.sourceFile, move.sourceRank).Piece();
    const CDestination to = move.Destination();
    const CField dest = board.GetField(to.file, to.rank);
    if (mover.type == King && !dest.IsEmpty() && dest.Piece().color == mover.color) {
        seen[move.destFile == 7 ? Kingside : Queenside] = true;
    } else if (!dest.IsEmpty()) {
        seen[Capture] = true;
    } else if (mover.type == Pawn && move.destFile != move.sourceFile) {
        seen[EnPassant] = true;
    }
    if (to.promotion != Pawn) {
        seen[dest.IsEmpty() ? Promotion : CapturingPromotion] = true;
    }
}

} // namespace

// Every game of samples/ reads, with a result, and between them they hold every kind of move.
// For the samples and the PGN fixtures, the SAN written for each move, read back by the reader
// on the same position, is that move again.
TEST(Samples, EveryGameReadsAndWrittenMovesReadBackAsTheSameMoves) {
    bool seen[Kinds] = {};
    int moves = 0;
    for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
        const bool samples = folder == std::string("samples");
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            if (file.path().extension() != ".pgn" || file.path().stem() == "no_tag_pairs") {
                continue; // no_tag_pairs.pgn cannot be read at all
            }
            CPGNReader reader;
            reader.Load(file.path().string());
            const CLoadReport report = reader.LastLoadReport();
            if (samples) {
                EXPECT_TRUE(report.dropped.empty()) << file.path();
                EXPECT_GE(report.gamesRead, 1) << file.path();
            }
            for (int g = 0; g < reader.GamesCount(); ++g) {
                const CChessGameData game = reader.GetGameData(g);
                EXPECT_TRUE(!samples || game.GetResult() != ResultNone) << file.path() << g;
                const CFenPosition start = StartPosition(game.GetStart());
                const std::vector<std::string> san = WriteGameSan(start.board, game);
                CChessSet set;
                set.SetUp(start.board);
                for (int i = 0; i < game.MovesCount(); ++i, ++moves) {
                    std::string text = san[static_cast<std::size_t>(i)];
                    if (text.ends_with('#')) {
                        text.pop_back(); // the reader's pre-processing drops it
                    }
                    const EPieceColor side =
                        i % 2 == 0 ? start.sideToMove : Opponent(start.sideToMove);
                    const std::string where =
                        file.path().string() + " game " + std::to_string(g) + " move " + text;
                    try {
                        EXPECT_EQ(CPGNReader::FindMove(text, side, set), game.GetMove(i)) << where;
                        if (samples) {
                            Classify(set.Board(), game.GetMove(i), seen);
                        }
                        set.Move(game.GetMove(i));
                    } catch (const CGeneralException& e) {
                        ADD_FAILURE() << where << ": " << e.GetMessage();
                    }
                }
            }
        }
    }
    EXPECT_GT(moves, 500);
    for (int kind = 0; kind < Kinds; ++kind) {
        EXPECT_TRUE(seen[kind]) << "no sample shows move kind " << kind;
    }
}
