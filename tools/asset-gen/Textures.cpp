#include "tools/asset-gen/Textures.h"

#include "tools/asset-gen/TgaWriter.h"
#include "tools/asset-gen/WoodGrain.h"

namespace {

constexpr int kSize = 512;

// Light maple: pale cream with fine, low-contrast honey-coloured rings.
constexpr SWoodStyle kMaple = {
    .seed = 1,
    .earlywood = {0.92f, 0.82f, 0.64f},
    .earlywoodAlt = {0.89f, 0.77f, 0.57f},
    .latewood = {0.78f, 0.60f, 0.39f},
    .rings = 14,
    .ringContrast = 0.55f,
    .latewoodStart = 0.7f,
    .latewoodFull = 0.9f,
    .waviness = 1.2f,
    .waveCellsAcross = 2,
    .waveCellsAlong = 1,
    .ringJitter = 0.5f,
    .fibres = 0.07f,
    .fibreCellsAcross = 96,
    .fibreCellsAlong = 3,
    .pores = 0.0f,
    .poreThreshold = 1.0f,
    .ribbon = 0.03f,
    .ribbonCells = 5,
    .patches = 0.04f,
};

// Mahogany: red-brown, faint rings, open pores and ribbon stripes; light enough that the ebony
// pieces stand out on it.
constexpr SWoodStyle kMahogany = {
    .seed = 2,
    .earlywood = {0.56f, 0.27f, 0.16f},
    .earlywoodAlt = {0.6f, 0.29f, 0.17f},
    .latewood = {0.41f, 0.18f, 0.1f},
    .rings = 18,
    .ringContrast = 0.5f,
    .latewoodStart = 0.6f,
    .latewoodFull = 0.92f,
    .waviness = 1.2f,
    .waveCellsAcross = 2,
    .waveCellsAlong = 1,
    .ringJitter = 0.4f,
    .fibres = 0.09f,
    .fibreCellsAcross = 128,
    .fibreCellsAlong = 3,
    .pores = 0.35f,
    .poreThreshold = 0.42f,
    .ribbon = 0.18f,
    .ribbonCells = 7,
    .patches = 0.05f,
};

// Boxwood, close to ivory: pale yellow-white with barely visible grain.
constexpr SWoodStyle kBoxwood = {
    .seed = 3,
    .earlywood = {0.96f, 0.91f, 0.78f},
    .earlywoodAlt = {0.94f, 0.88f, 0.72f},
    .latewood = {0.86f, 0.77f, 0.58f},
    .rings = 10,
    .ringContrast = 0.35f,
    .latewoodStart = 0.72f,
    .latewoodFull = 0.95f,
    .waviness = 1.0f,
    .waveCellsAcross = 2,
    .waveCellsAlong = 1,
    .ringJitter = 0.3f,
    .fibres = 0.035f,
    .fibreCellsAcross = 96,
    .fibreCellsAlong = 3,
    .pores = 0.0f,
    .poreThreshold = 1.0f,
    .ribbon = 0.015f,
    .ribbonCells = 4,
    .patches = 0.02f,
};

// Ebony: brown-black with faint lighter streaks, dark enough to read as black under light but
// bright enough for the shading to show the form.
constexpr SWoodStyle kEbony = {
    .seed = 4,
    .earlywood = {0.16f, 0.12f, 0.09f},
    .earlywoodAlt = {0.13f, 0.10f, 0.08f},
    .latewood = {0.09f, 0.07f, 0.055f},
    .rings = 16,
    .ringContrast = 0.45f,
    .latewoodStart = 0.4f,
    .latewoodFull = 0.85f,
    .waviness = 1.4f,
    .waveCellsAcross = 2,
    .waveCellsAlong = 1,
    .ringJitter = 0.7f,
    .fibres = 0.2f,
    .fibreCellsAcross = 96,
    .fibreCellsAlong = 3,
    .pores = 0.0f,
    .poreThreshold = 1.0f,
    .ribbon = 0.15f,
    .ribbonCells = 5,
    .patches = 0.08f,
};

void Write(const std::string& folder, const char* name, const SWoodStyle& style) {
    WriteTga24(folder + "/" + name, kSize, kSize, RenderWood(style, kSize));
}

} // namespace

void WriteTextures(const std::string& folder) {
    Write(folder, "wood.tga", kMaple);
    Write(folder, "red_wood.tga", kMahogany);
    Write(folder, "white_piece.tga", kBoxwood);
    Write(folder, "black_piece.tga", kEbony);
}
