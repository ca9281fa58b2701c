// The committed models and textures of gfx/, as the viewer's own loaders read them.

#include "gfx3d/AssetPath.h"
#include "gfx3d/OBJLoader.h"
#include "gfx3d/PieceModel.h"
#include "gfx3d/TGAImage.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Extent {
    float low[3] = {1e30f, 1e30f, 1e30f};
    float high[3] = {-1e30f, -1e30f, -1e30f};
    float Size(int axis) const { return high[axis] - low[axis]; }
};

Extent ExtentOf(const float* p, int corners) {
    Extent e;
    for (int i = 0; i < corners * 3; ++i) {
        e.low[i % 3] = std::min(e.low[i % 3], p[i]);
        e.high[i % 3] = std::max(e.high[i % 3], p[i]);
    }
    return e;
}

// The mean of every channel of every pixel.
double Brightness(const std::vector<std::uint8_t>& rgb) {
    double sum = 0.0;
    for (const std::uint8_t value : rgb) {
        sum += value;
    }
    return sum / static_cast<double>(rgb.size());
}

// Square 24-bit true colour of 256 or 512 pixels a side; the brightness of its pixels.
double ReadTexture(const std::string& name) {
    CTGAImage image;
    EXPECT_EQ(image.Load(AssetPath(name).c_str()), CTGAImage::kLoaded) << name;
    EXPECT_EQ(image.BitsPerPixel(), 24) << name;
    EXPECT_TRUE(image.ImageType() == 2 || image.ImageType() == 10) << name;
    EXPECT_EQ(image.Width(), image.Height()) << name;
    EXPECT_TRUE(image.Width() == 256 || image.Width() == 512) << name;
    return image.Pixels().empty() ? 0.0 : Brightness(image.Pixels());
}

} // namespace

// Each model is a bounded triangle list with unit normals, wound counter-clockwise seen from
// where its normals point, standing on y = 0 and centred on the y axis, as deep as wide. Scaled to
// one width, the six are ranked by height like a real set, the king over two and a half base
// widths tall.
TEST(AssetFilesTest, EveryModelIsABoundedTriangleListStandingOnTheBoard) {
    std::vector<float> heights;
    for (const EPieceType kind : {King, Queen, Bishop, Knight, Rook, Pawn}) {
        SCOPED_TRACE(PieceModelFile(kind));
        COBJLoader loader;
        loader.Load(AssetPath(PieceModelFile(kind)));
        const int corners = loader.VertexCount();
        EXPECT_GT(corners, 0);
        EXPECT_EQ(corners % 3, 0);
        EXPECT_LE(corners, 18000);
        const float* p = loader.Vertices();
        const float* n = loader.Normals();
        int bad = 0;
        for (int c = 0; c < corners; ++c) {
            const float* q = p + 3 * c;
            const float* m = n + 3 * c;
            bad += !(std::isfinite(q[0]) && std::isfinite(q[1]) && std::isfinite(q[2]));
            bad += std::fabs(std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]) - 1.0f) > 1e-3f;
        }
        for (int t = 0; t < corners; t += 3) {
            const float* a = p + 3 * t;
            const float e1[3] = {a[3] - a[0], a[4] - a[1], a[5] - a[2]};
            const float e2[3] = {a[6] - a[0], a[7] - a[1], a[8] - a[2]};
            const float face[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                   e1[0] * e2[1] - e1[1] * e2[0]};
            float dot = 0.0f;
            for (int k = 0; k < 9; ++k) {
                dot += face[k % 3] * n[3 * t + k];
            }
            bad += dot < 0.0f;
        }
        EXPECT_EQ(bad, 0);
        const Extent e = ExtentOf(p, corners);
        EXPECT_EQ(e.low[1], 0.0f);
        EXPECT_NEAR(e.low[0] + e.high[0], 0.0f, 0.01f * e.Size(0));
        EXPECT_NEAR(e.low[2] + e.high[2], 0.0f, 0.01f * e.Size(0));
        EXPECT_NEAR(e.Size(2), e.Size(0), 0.01f * e.Size(0));
        heights.push_back(e.Size(1) * 15.0f / std::max(e.Size(0), e.Size(2)));
    }
    for (std::size_t i = 1; i < heights.size(); ++i) {
        EXPECT_GT(heights[i - 1], heights[i] + 0.5f) << i;
    }
    EXPECT_GT(heights.front(), 30.0f);
    EXPECT_LT(heights.front(), 42.0f);
    EXPECT_GT(heights.back(), 17.0f);
}

// Light woods light, dark woods dark but not black, since lighting multiplies the texture.
TEST(AssetFilesTest, TexturesAreWoodsOfTheirShade) {
    EXPECT_GT(ReadTexture("wood.tga"), 150.0);
    EXPECT_GT(ReadTexture("white_piece.tga"), 180.0);
    const double mahogany = ReadTexture("red_wood.tga");
    EXPECT_LT(mahogany, 110.0);
    EXPECT_GT(mahogany, 30.0);
    const double ebony = ReadTexture("black_piece.tga");
    EXPECT_LT(ebony, 60.0);
    EXPECT_GT(ebony, 12.0);
    EXPECT_EQ(AssetPath("none.obj"), "gfx/none.obj") << "a missing asset names the path tried";
}
