#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

// Every game of the samples and of the PGN fixtures: the SAN written for each move, read back
// by the reader on the same position, is that move again.
TEST(SanRoundTrip, WrittenMovesReadBackAsTheSameMoves) {
    int moves = 0;
    for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            if (file.path().extension() != ".pgn" || file.path().stem() == "no_tag_pairs") {
                continue; // no_tag_pairs.pgn cannot be read at all
            }
            CPGNReader reader;
            reader.Load(file.path().string());
            for (int g = 0; g < reader.GamesCount(); ++g) {
                const CChessGameData game = reader.GetGameData(g);
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
                    const std::string where = file.path().string() + " game " + std::to_string(g) +
                                              " move " + std::to_string(i);
                    try {
                        EXPECT_EQ(CPGNReader::FindMove(text, side, set), game.GetMove(i))
                            << where << " " << text;
                    } catch (const CGeneralException& e) {
                        ADD_FAILURE() << where << " " << text << ": " << e.GetMessage();
                    }
                    set.Move(game.GetMove(i));
                }
            }
        }
    }
    EXPECT_GT(moves, 500);
}
