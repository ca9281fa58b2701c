#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

// Every game of the samples and of the PGN fixtures: the SAN written for each move, read back
// by the reader on the same position, is that move again.
TEST(SanRoundTrip, WrittenMovesReadBackAsTheSameMoves) {
    int moves = 0;
    for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".pgn") {
                continue;
            }
            CPGNReader reader;
            try {
                reader.Load(entry.path().string());
            } catch (const CGeneralException&) {
                continue; // a fixture of a file that cannot be read at all
            }
            for (int g = 0; g < reader.GamesCount(); ++g) {
                const CChessGameData game = reader.GetGameData(g);
                SCOPED_TRACE(entry.path().string() + ", game " + std::to_string(g));
                const CFenPosition start = StartPosition(game.GetStart());
                const std::vector<std::string> san = WriteGameSan(start.board, game);
                CChessSet set;
                set.SetUp(start.board);
                EPieceColor side = start.sideToMove;
                for (int i = 0; i < game.MovesCount(); ++i, ++moves) {
                    std::string_view text = san[static_cast<std::size_t>(i)];
                    if (!text.empty() && text.back() == '#') {
                        text.remove_suffix(1); // the reader's pre-processing drops it
                    }
                    try {
                        EXPECT_EQ(CPGNReader::FindMove(text, side, set), game.GetMove(i))
                            << "move " << i << " " << san[static_cast<std::size_t>(i)];
                    } catch (const CGeneralException& e) {
                        ADD_FAILURE() << "move " << i << " " << text << ": " << e.GetMessage();
                    }
                    set.Move(game.GetMove(i));
                    side = Opponent(side);
                }
            }
        }
    }
    EXPECT_GT(moves, 500);
}
