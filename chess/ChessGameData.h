#pragma once

#include "chess/Move.h"

#include <string>
#include <vector>

// Result codes of a game.
enum EGameResult : int {
    ResultWhiteWon = 0, // "1-0"
    ResultBlackWon = 1, // "0-1"
    ResultDraw = 2,     // "1/2-1/2"
    ResultNone = 3,     // "*", or none given
};

// One game as read from a file: its tag values exactly as extracted, its result code, its
// starting position and its moves in playing order, the side to move of the starting position
// first (from the initial position: even indexes White's, odd indexes Black's). A plain value:
// copies are independent.
class CChessGameData {
public:
    // `start` is the FEN text of a set-up starting position as written, empty for the initial
    // position.
    CChessGameData(std::string event, std::string site, std::string date, std::string round,
                   std::string white, std::string black, const int& result,
                   std::vector<CMove> moves, std::string start = {});

    std::string GetEvent() const { return event; }
    std::string GetSite() const { return site; }
    std::string GetDate() const { return date; }
    std::string GetRound() const { return round; }
    std::string GetWhite() const { return white; }
    std::string GetBlack() const { return black; }
    int GetResult() const noexcept { return result; }
    std::string GetStart() const { return start; }
    int MovesCount() const noexcept { return static_cast<int>(moves.size()); }

    // Checks i < 0 first, then i >= MovesCount(), each with its own CChessGameDataException.
    CMove GetMove(const int& i) const;

private:
    std::string event;
    std::string site;
    std::string date;
    std::string round;
    std::string white;
    std::string black;
    int result;
    std::vector<CMove> moves;
    std::string start;
};
