#pragma once

#include "engine/UciInfo.h"
#include "platform/NotationText.h"

#include <vector>

// A link of the lines' text names move `move` (0 first) of line `line` (0 first).
inline constexpr int kLineLinkStride = 1000;
inline int LineLink(int line, int move) {
    return line * kLineLinkStride + move;
}

// The engine's lines on `position` as the panel shows them, one paragraph each: the evaluation
// ("+0.45", "#-3"; with "≥"/"≤" for a bound), the depth and the speed ("d22 1,234 kN/s"), then
// the moves in SAN with their numbers (figurines when asked), each a link (LineLink).
CNotationText EngineLinesText(const CPosition& position, const std::vector<CEngineLine>& lines,
                              bool figurines);
