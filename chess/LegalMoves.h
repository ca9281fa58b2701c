#pragma once

#include "chess/Move.h"
#include "chess/Position.h"

#include <vector>

// Every legal move of the side to move, as move records: castling as the king's move onto its
// rook (when the right is held, the squares between are empty, and the king is not in check
// and passes no attacked square), en passant onto the position's en-passant square, and each
// promotion four times (queen, rook, bishop, knight). Empty for a mate or a stalemate.
std::vector<CMove> LegalMoves(const CPosition& position);

// Whether `move` is one of LegalMoves(position).
bool IsLegalMove(const CPosition& position, const CMove& move);
