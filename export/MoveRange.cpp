#include "export/MoveRange.h"

#include "export/ExportException.h"
#include "pgn/FenParser.h"

#include <string>

SMoveRange FullMoveRange(const CChessGameData& game, int from, int to) {
    const std::string asked = std::to_string(from) + "-" + std::to_string(to);
    if (from > to) {
        throw CExportException("FullMoveRange(): The moves " + asked +
                               " run backwards: the first comes after the last.");
    }
    const CFenPosition start = StartPosition(game.GetStart());
    const int blackFirst = start.sideToMove == Black ? 1 : 0;
    SMoveRange range{-1, -1};
    for (int i = 0; i < game.MovesCount(); ++i) {
        const int number = start.fullMoveNumber + (i + blackFirst) / 2;
        if (number >= from && number <= to) {
            range.first = range.first < 0 ? i : range.first;
            range.end = i + 1;
        }
    }
    if (range.first < 0) {
        throw CExportException("FullMoveRange(): The game has no moves " + asked + ".");
    }
    return range;
}
