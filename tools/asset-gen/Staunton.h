#pragma once

#include "tools/asset-gen/Mesh.h"
#include "tools/asset-gen/Profile.h"

// Parts shared by the lathe-turned pieces. All pieces have the same base, 15 units across
// (radius kBaseRadius), so that the viewer's scaling to 15 units keeps their heights in
// proportion.
constexpr float kBaseRadius = 7.5f;
constexpr float kPi = 3.14159265358979f;

// The round stepped base from the bottom centre: bevelled foot, cove, bead and a step in to the
// foot of the stem, which starts at (LastR, LastY). heightScale stretches it vertically for the
// taller pieces.
void StauntonBase(Profile& profile, float heightScale);

// A collar ring: a disc with rounded rim of the given radius and thickness, the stem of radius
// stemRadius entering it from below and leaving above; the profile is at (stemRadius, y).
void Collar(Profile& profile, float stemRadius, float radius, float thickness);

// Closes the profile with a ball of the given radius growing out of the neck that ends at the
// current point; the ball's top ends the profile at r = 0.
void BallTop(Profile& profile, float radius, int steps);

// A separate sphere mesh, u round the y axis, v along the meridian.
Mesh Sphere(Vec3 centre, float radius, int segments, int rings);
