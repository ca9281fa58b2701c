#pragma once

#include "tools/asset-gen/Mesh.h"

// The six pieces, y up, standing on y = 0, centred on the y axis, every part within the base
// radius so that the model is as wide as deep. Heights (base 15 across): king 40.5, queen 32,
// bishop 29, knight 25.5, rook 22.5, pawn 20. The knight looks towards -x.
Mesh PawnMesh();
Mesh RookMesh();
Mesh BishopMesh();
Mesh KnightMesh();
Mesh QueenMesh();
Mesh KingMesh();
