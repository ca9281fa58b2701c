#pragma once

#include "chess/Move.h"
#include "openings/KeyedPosition.h"

#include <string_view>
#include <vector>

// Plays a line of SAN moves, "1. e4 c5 2. Nf3" (move numbers optional, also glued to their move
// as "1.e4"; check and mate signs allowed), on `position`, and returns the moves. Throws
// CPGNReaderException for a move that cannot be resolved, COpeningsException "ReadSanLine():
// Move 'X' not playable!" for one that resolves but cannot be played; `position` then stands
// after the moves before it.
std::vector<CMove> ReadSanLine(std::string_view line, CKeyedPosition& position);
