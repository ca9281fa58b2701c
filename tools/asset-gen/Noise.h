#pragma once

#include <cstdint>

// Periodic gradient noise for textures that tile. Only integer hashing and basic float
// arithmetic, so the same inputs give the same values on every run and library version.

// A well-mixed 32-bit hash of a lattice point.
std::uint32_t HashLattice(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Gradient noise in about [-1, 1] at (x, y) in lattice units; the lattice repeats every
// periodX cells along x and periodY cells along y.
float PeriodicNoise(float x, float y, std::int32_t periodX, std::int32_t periodY,
                    std::uint32_t seed);

// Fractal sum of `octaves` layers over texture coordinates (s, t) in [0, 1): the first layer has
// cellsX by cellsY cells per texture, each further one twice as many and `gain` times the
// amplitude. Repeats with period 1 in s and t. Normalised to about [-1, 1].
float PeriodicFbm(float s, float t, std::int32_t cellsX, std::int32_t cellsY, int octaves,
                  float gain, std::uint32_t seed);
