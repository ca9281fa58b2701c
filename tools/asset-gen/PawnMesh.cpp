#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

Mesh PawnMesh() {
    Profile p;
    StauntonBase(p, 0.85f);
    // Short stem narrowing like a trumpet up to the collar.
    p.Curve(3.3f, 3.0f, 2.3f, 6.0f, 2.1f, 9.6f, 6, false);
    Collar(p, 2.1f, 3.7f, 0.8f);
    p.Curve(1.8f, 10.7f, 1.7f, 11.2f, 1.75f, 11.7f, 3, false);
    BallTop(p, 4.05f, 14);
    return Lathe(p, kLatheSegments);
}
