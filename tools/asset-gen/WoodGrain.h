#pragma once

#include <cstdint>
#include <vector>

// A procedural wood surface whose grain runs along the texture's vertical axis. Every
// feature is built from periodic noise and a whole number of growth rings across the width,
// so the picture tiles without seams in both directions.
struct SWoodStyle {
    struct SColour {
        float r, g, b; // 0..1
    };

    std::uint32_t seed;
    SColour earlywood;    // the light, wide part of a growth ring
    SColour earlywoodAlt; // the colour large patches drift towards
    SColour latewood;     // the dark, narrow part
    int rings;            // growth rings across the texture
    float ringContrast;   // 0: rings invisible, 1: full latewood colour
    float latewoodStart;  // position within a ring (0..1) where it starts to darken
    float latewoodFull;   // position where it is fully dark; it turns light again at 1
    float waviness;       // broad sideways drift of the rings, in ring widths
    int waveCellsAcross;  // noise cells of that drift across and along the grain
    int waveCellsAlong;
    float ringJitter; // irregular ring widths, in ring widths
    float fibres;     // relative brightness of the fine streaks along the grain
    int fibreCellsAcross;
    int fibreCellsAlong;
    float pores;         // darkening of the short dashes of open pores (0: none)
    float poreThreshold; // noise level above which a pore shows (higher: fewer pores)
    float ribbon;        // broad light and dark bands along the grain (interlocked grain)
    int ribbonCells;
    float patches; // large-scale brightness variation
};

// Renders the style into size * size pixels, R, G, B bytes, rows from top to bottom.
std::vector<std::uint8_t> RenderWood(const SWoodStyle& style, int size);
