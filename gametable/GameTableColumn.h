#pragma once

#include "pgn/GameList.h"

#include <cstddef>
#include <string>
#include <string_view>

// The columns of the games table, in the order shown.
enum EGameColumn : int {
    kColumnNumber, // the game's place in the list, from 1
    kColumnWhite,
    kColumnBlack,
    kColumnResult,
    kColumnDate,
    kColumnEvent,
    kColumnSite,
    kColumnRound,
    kColumnMoves,   // full moves: (half-moves + 1) / 2
    kColumnFile,    // the name of the file the game came from, without its folder
    kColumnOpening, // the ECO code and name of the game's opening (CGameTable::CellText)
    kGameColumns
};

// The header of a column: "#", "White", ..., "Moves", "File", "Opening".
std::string_view GameColumnTitle(EGameColumn column);

// What the cell of game < games.Size() shows in `column`, UTF-8; empty for the Opening column,
// which the list alone does not know.
std::string GameCellText(const CGameListSnapshot& games, std::size_t game, EGameColumn column);
