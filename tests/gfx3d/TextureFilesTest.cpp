// The committed textures of gfx/: readable by the viewer's decoder in the form it uploads, and
// the piece textures seamless under GL_REPEAT.

#include "gfx3d/TGAImage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// RGB pixels, rows from top to bottom, as CTGAImage decodes them.
struct SPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    int At(int x, int y, int channel) const {
        return rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)) *
                       3 +
                   static_cast<std::size_t>(channel)];
    }
};

// Mean absolute difference per channel between columns a and b over the first `rows` rows.
double ColumnDifference(const SPicture& picture, int a, int b, int rows) {
    long sum = 0;
    for (int y = 0; y < rows; ++y) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(picture.At(a, y, c) - picture.At(b, y, c));
        }
    }
    return static_cast<double>(sum) / (rows * 3);
}

// Mean absolute difference per channel between rows a and b over the first `columns` columns.
double RowDifference(const SPicture& picture, int a, int b, int columns) {
    long sum = 0;
    for (int x = 0; x < columns; ++x) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(picture.At(x, a, c) - picture.At(x, b, c));
        }
    }
    return static_cast<double>(sum) / (columns * 3);
}

// The image tiles when the jump from its last column back to its first (and from its last row
// to its first) is no larger than some step between neighbouring columns (rows) inside it. A
// seam shows as a jump well beyond every inner step.
bool TilesWithin(const SPicture& picture, int columns, int rows) {
    double innerColumns = 0.0;
    for (int x = 0; x + 1 < columns; ++x) {
        innerColumns = std::max(innerColumns, ColumnDifference(picture, x, x + 1, rows));
    }
    double innerRows = 0.0;
    for (int y = 0; y + 1 < rows; ++y) {
        innerRows = std::max(innerRows, RowDifference(picture, y, y + 1, columns));
    }
    return ColumnDifference(picture, columns - 1, 0, rows) <= innerColumns &&
           RowDifference(picture, rows - 1, 0, columns) <= innerRows;
}

double MeanBrightness(const SPicture& picture) {
    double sum = 0.0;
    for (std::uint8_t value : picture.rgb) {
        sum += value;
    }
    return sum / static_cast<double>(picture.rgb.size());
}

SPicture LoadCommitted(const std::string& name) {
    const std::string path = "gfx/" + name;
    CTGAImage image;
    const int status = image.Load(path.c_str());
    EXPECT_EQ(status, CTGAImage::kLoaded) << path;
    if (status != CTGAImage::kLoaded) {
        return {};
    }
    EXPECT_EQ(image.BitsPerPixel(), 24) << path;
    EXPECT_TRUE(image.ImageType() == 2 || image.ImageType() == 10) << path;
    EXPECT_EQ(image.Width(), image.Height()) << path;
    EXPECT_TRUE(image.Width() == 256 || image.Width() == 512) << path;
    EXPECT_EQ(image.Pixels().size(), static_cast<std::size_t>(image.Width()) * image.Height() * 3)
        << path;
    return {image.Width(), image.Height(), image.Pixels()};
}

TEST(TextureFiles, EveryTextureDecodesAsSquare24BitTrueColour) {
    for (const char* name : {"wood.tga", "red_wood.tga", "white_piece.tga", "black_piece.tga"}) {
        const SPicture picture = LoadCommitted(name);
        EXPECT_FALSE(picture.rgb.empty()) << name;
    }
}

TEST(TextureFiles, PieceTexturesTileWithoutSeams) {
    for (const char* name : {"white_piece.tga", "black_piece.tga"}) {
        const SPicture picture = LoadCommitted(name);
        ASSERT_FALSE(picture.rgb.empty()) << name;
        EXPECT_TRUE(TilesWithin(picture, picture.width, picture.height)) << name;
        // The measure does see a seam: half of the picture, whose edges are far apart in the
        // grain, does not tile.
        EXPECT_FALSE(TilesWithin(picture, picture.width / 2, picture.height / 2)) << name;
    }
}

TEST(TextureFiles, LightWoodsAreLightAndDarkWoodsDarkButNotBlack) {
    EXPECT_GT(MeanBrightness(LoadCommitted("wood.tga")), 150.0);
    EXPECT_GT(MeanBrightness(LoadCommitted("white_piece.tga")), 180.0);
    const double mahogany = MeanBrightness(LoadCommitted("red_wood.tga"));
    EXPECT_LT(mahogany, 110.0);
    EXPECT_GT(mahogany, 30.0);
    // Lighting multiplies the ebony texture; pure black would hide the shape of the pieces.
    const double ebony = MeanBrightness(LoadCommitted("black_piece.tga"));
    EXPECT_LT(ebony, 60.0);
    EXPECT_GT(ebony, 12.0);
}

} // namespace
