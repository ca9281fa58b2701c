#pragma once

#include "chess/ChessGameData.h"
#include "platform/NotationText.h"

#include <string>
#include <vector>

// A game as the notation panel shows it: its header's texts (UTF-8, cut for display), how its
// moves are numbered, and each move in standard algebraic notation.
struct CNotationGame {
    std::string white;
    std::string black;
    std::string event;
    std::string site;
    std::string date;
    std::string round;
    int result = ResultNone;
    bool blackStarts = false;      // a set-up position with Black to move
    long long firstMoveNumber = 1; // the number of the first move
    std::vector<std::string> san;
};

// The notation of a listed game: its tags decoded, its moves written from its starting position.
CNotationGame NotationOf(const CChessGameData& game);

// The panel's text: the players as "White – Black", Event, Site, Date and Round, the result;
// "Start" for the starting position, then the moves numbered, White's and Black's side by side,
// and the result last. Position n (after n moves; 0 is "Start") is link n, and the position
// after `current` moves is the current one. With `figurines`, piece letters become figurines
// (♘f3).
CNotationText BuildNotation(const CNotationGame& game, unsigned current, bool figurines);

// "1-0", "0-1", "½-½" or "*".
std::string ResultSign(int result);
