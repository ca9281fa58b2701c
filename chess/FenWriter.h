#pragma once

#include "chess/Position.h"

#include <string>

// The six fields of a FEN text: the placement from rank 8 down, each rank from file a; 'w' or
// 'b'; the castling rights as "KQkq" in that order, or '-'; the square behind a pawn that has
// just advanced two squares, or '-'; the half-move clock; the full-move number.
std::string WriteFen(const CPosition& position);
