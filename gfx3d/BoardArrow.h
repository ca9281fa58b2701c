#pragma once

#include <array>
#include <vector>

// An arrow lying on the board from the centre of one square to the centre of another (files
// and ranks 0-7): a shaft and a head. A knight's move (one square one way, two the other) is
// bent: it runs the long way first, then turns. No two of its triangles overlap, so that a
// translucent colour reads evenly. Triangles in board-plane points {x, z}, world units.
std::vector<std::array<float, 2>> BoardArrowTriangles(int fromFile, int fromRank, int toFile,
                                                      int toRank);
