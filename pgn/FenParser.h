#pragma once

#include "chess/Position.h"

#include <string_view>

// The starting position of a game as its FEN tag pair gives it. Moves are executed by the
// board's geometric rules alone; the castling rights, the en-passant square and the half-move
// clock are kept for what the position is written as again (for an engine, for instance),
// each as far as the board bears it out (CPosition::Sanitise).
using CFenPosition = CPosition;

// Reads a FEN text: six fields, or four (the clocks then 0 and 1), separated by single
// spaces. Checked field by field, the first failure deciding: the field count; eight ranks
// separated by '/'; eight squares in each rank, from PNBRQKpnbrqk and the digits 1-8; one king
// of each colour; the side to move, 'w' or 'b'; the castling field, from KQkq and '-' only;
// the full-move number, digits only up to 2147483647, where 0 reads as 1. The en-passant field
// and the half-move clock are read when they are a square and a number, else taken as '-' and
// 0. Throws
// CPGNReaderException "CPGNReader::ParseGame(): FEN not valid!", or "CPGNReader::ParseGame():
// Variant not supported!" for any other letter in the castling field (Chess960 files).
CFenPosition ParseFen(std::string_view fen);

// The position a stored game starts from: the initial position for an empty text, else the
// position its FEN text gives.
CFenPosition StartPosition(std::string_view fen);
