#pragma once

#include "tools/asset-gen/Mesh.h"
#include "tools/asset-gen/Profile.h"

// Texture periods once round a piece. The viewer multiplies texture coordinates by 0.6, so 5
// makes u wrap at exactly 3 whole periods and the seam vanishes under GL_REPEAT.
constexpr float kTurnPeriods = 5.0f;
// Model units per unit of v: keeps the wood grain about as coarse along the piece as round it.
constexpr float kVUnit = 5.0f;

// Segments round the turned body of a piece. The viewer shows a piece some 80 pixels wide, where
// 20 segments keep the outline within half a pixel of the circle's.
constexpr int kLatheSegments = 20;
// How far a turned surface may depart from its profile, in model units (about half a pixel in
// the default view): a profile point is left out when the outline without it stays this close.
constexpr float kProfileTolerance = 0.1f;

// Surface of revolution of the profile, less the points kProfileTolerance leaves out, about the
// y axis in the given number of segments.
// u = kTurnPeriods * angle / 2 pi (the seam, at the back, -z, is doubled), v = arc length along
// the profile / kVUnit plus vStart.
Mesh Lathe(const Profile& profile, int segments, float vStart = 0.0f);
