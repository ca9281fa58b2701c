#include "chess/ChessGameData.h"

#include "chess/ChessExceptions.h"

#include <utility>

CChessGameData::CChessGameData(std::string event, std::string site, std::string date,
                               std::string round, std::string white, std::string black,
                               const int& result, std::vector<CMove> moves, std::string start)
    : event(std::move(event)), site(std::move(site)), date(std::move(date)),
      round(std::move(round)), white(std::move(white)), black(std::move(black)), result(result),
      moves(std::move(moves)), start(std::move(start)) {
}

CMove CChessGameData::GetMove(const int& i) const {
    if (i < 0) {
        throw CChessGameDataException(
            "CChessGameData::GetMove(): Parameter 'i' is lower than 0! Index cannot be negative!");
    }
    if (i >= MovesCount()) {
        throw CChessGameDataException("CChessGameData::GetMove(): Parameter 'i' is out of range!");
    }
    return moves[static_cast<std::size_t>(i)];
}
