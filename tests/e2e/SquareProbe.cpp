// square-probe FILE GAME WIDTH HEIGHT: replays game GAME (from 0) of the PGN file and prints,
// for every square whose content differs between the game's start and its end, the square's
// name and the pixel (from the top left of a WIDTH x HEIGHT view under the default camera)
// where a piece on it shows, one "name x y" per line.
#include "chess/ChessSet.h"
#include "common/GeneralException.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"
#include "scene/ViewProjection.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

std::optional<CPiece> PieceAt(const CChessboardState& board, int file, int rank) {
    const CField field = board.GetField(file, rank);
    if (field.IsEmpty()) {
        return std::nullopt;
    }
    return field.Piece();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: square-probe FILE GAME WIDTH HEIGHT\n", stderr);
        return 2;
    }
    try {
        CPGNReader reader;
        reader.Load(argv[1]);
        const CChessGameData game = reader.GetGameData(std::atoi(argv[2]));
        const CFenPosition position = StartPosition(game.GetStart());
        CChessSet start;
        start.SetUp(position.board);
        CChessSet end;
        end.SetUp(position.board);
        for (int i = 0; i < game.MovesCount(); ++i) {
            end.Move(game.GetMove(i));
        }
        std::atomic<bool> dirty{false};
        const std::atomic<bool> enabled{true};
        const CCamera camera(dirty, enabled);
        const int width = std::atoi(argv[3]);
        const int height = std::atoi(argv[4]);
        for (int file = 0; file < 8; ++file) {
            for (int rank = 0; rank < 8; ++rank) {
                if (PieceAt(start.Board(), file, rank) == PieceAt(end.Board(), file, rank)) {
                    continue;
                }
                // A point a little above the square's centre: on a piece standing there, or on
                // what lies behind when the square is empty.
                const CWindowPoint p = ProjectToWindow(camera, width, height, file * 25.0 + 12.5,
                                                       10.0, -(rank * 25.0 + 12.5));
                std::printf("%c%d %d %d\n", 'a' + file, rank + 1, static_cast<int>(p.x),
                            static_cast<int>(p.y));
            }
        }
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "square-probe: %s\n", e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
