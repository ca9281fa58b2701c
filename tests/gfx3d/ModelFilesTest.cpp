// The committed piece models: each loads through the viewer's own loader into a triangle list
// the viewer can place on a square, the six are ranked by height like a real set, and the raw
// files use only the part of OBJ that the loader reads.

#include "gfx3d/OBJLoader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Tallest first.
const std::vector<std::string> kModels = {"King", "Dame", "Bishop", "Knight", "Rook", "Pawn"};
constexpr int kMaxCorners = 18000;

std::string PathOf(const std::string& model) {
    return "gfx/" + model + ".obj";
}

struct Extent {
    float low[3] = {1e30f, 1e30f, 1e30f};
    float high[3] = {-1e30f, -1e30f, -1e30f};
    float Size(int axis) const { return high[axis] - low[axis]; }
};

Extent ExtentOf(const COBJLoader& loader) {
    Extent e;
    const float* p = loader.Vertices();
    for (int i = 0; i < loader.VertexCount() * 3; ++i) {
        e.low[i % 3] = std::min(e.low[i % 3], p[i]);
        e.high[i % 3] = std::max(e.high[i % 3], p[i]);
    }
    return e;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// True when the field is a decimal number as the generator prints it.
bool IsNumber(const std::string& field) {
    char* end = nullptr;
    std::strtod(field.c_str(), &end);
    return !field.empty() && end == field.c_str() + field.size();
}

bool IsIndex(const std::string& field, int count) {
    char* end = nullptr;
    const long value = std::strtol(field.c_str(), &end, 10);
    return !field.empty() && end == field.c_str() + field.size() && value >= 1 && value <= count;
}

std::vector<std::string> Fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string f; in >> f;) {
        fields.push_back(f);
    }
    return fields;
}

} // namespace

TEST(ModelFilesTest, EveryModelIsABoundedTriangleListStandingOnTheBoard) {
    for (const std::string& model : kModels) {
        SCOPED_TRACE(model);
        COBJLoader loader;
        loader.Load(PathOf(model));
        const int corners = loader.VertexCount();
        EXPECT_GT(corners, 0);
        EXPECT_EQ(corners % 3, 0);
        EXPECT_LE(corners, kMaxCorners);

        const float* p = loader.Vertices();
        const float* n = loader.Normals();
        int badNormals = 0;
        int badPositions = 0;
        int facesAgainstNormals = 0;
        for (int c = 0; c < corners; ++c) {
            const float* q = p + 3 * c;
            const float* m = n + 3 * c;
            badPositions += !(std::isfinite(q[0]) && std::isfinite(q[1]) && std::isfinite(q[2]) &&
                              q[1] >= 0.0f);
            badNormals +=
                std::fabs(std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]) - 1.0f) > 1e-3f;
        }
        // Counter-clockwise seen from the side the normals point to.
        for (int t = 0; t < corners; t += 3) {
            const float* a = p + 3 * t;
            const float e1[3] = {a[3] - a[0], a[4] - a[1], a[5] - a[2]};
            const float e2[3] = {a[6] - a[0], a[7] - a[1], a[8] - a[2]};
            const float face[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                   e1[0] * e2[1] - e1[1] * e2[0]};
            float dot = 0.0f;
            for (int k = 0; k < 3; ++k) {
                const float* m = n + 3 * (t + k);
                dot += face[0] * m[0] + face[1] * m[1] + face[2] * m[2];
            }
            facesAgainstNormals += dot < 0.0f;
        }
        EXPECT_EQ(badPositions, 0);
        EXPECT_EQ(badNormals, 0);
        EXPECT_EQ(facesAgainstNormals, 0);

        const Extent e = ExtentOf(loader);
        EXPECT_EQ(e.low[1], 0.0f);
        // Centred on the y axis and as deep as wide, so the viewer centres it on its square.
        EXPECT_NEAR(e.low[0] + e.high[0], 0.0f, 0.01f * e.Size(0));
        EXPECT_NEAR(e.low[2] + e.high[2], 0.0f, 0.01f * e.Size(0));
        EXPECT_NEAR(e.Size(2), e.Size(0), 0.01f * e.Size(0));
    }
}

TEST(ModelFilesTest, ScaledToTheSameWidthThePiecesAreRankedByHeight) {
    std::vector<float> heights;
    for (const std::string& model : kModels) {
        COBJLoader loader;
        loader.Load(PathOf(model));
        const Extent e = ExtentOf(loader);
        heights.push_back(e.Size(1) * 15.0f / std::max(e.Size(0), e.Size(2)));
    }
    for (std::size_t i = 1; i < heights.size(); ++i) {
        EXPECT_GT(heights[i - 1], heights[i] + 0.5f) << kModels[i - 1] << " over " << kModels[i];
    }
    // The king stands about two and a half base widths tall, the pawn well over one.
    EXPECT_GT(heights.front(), 30.0f);
    EXPECT_LT(heights.front(), 40.0f);
    EXPECT_GT(heights.back(), 17.0f);
}

TEST(ModelFilesTest, FilesUseOnlyTheStatementsTheLoaderReads) {
    for (const std::string& model : kModels) {
        SCOPED_TRACE(model);
        const std::string text = ReadAll(PathOf(model));
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        EXPECT_EQ(text.find('\r'), std::string::npos);

        int counts[3] = {0, 0, 0}; // v, vt, vn
        std::vector<std::string> faces;
        int badLines = 0;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            const std::vector<std::string> f = Fields(line);
            const bool numbers =
                f.size() == 4 && IsNumber(f[1]) && IsNumber(f[2]) && IsNumber(f[3]);
            if (line.size() < 8) {
                ++badLines;
            } else if (line[0] == '#') {
                continue;
            } else if (f[0] == "v" && numbers) {
                ++counts[0];
            } else if (f[0] == "vt" && numbers) {
                ++counts[1];
            } else if (f[0] == "vn" && numbers) {
                ++counts[2];
            } else if (f[0] == "f" && f.size() == 4 && line.rfind("f ", 0) == 0) {
                faces.push_back(line);
            } else {
                ++badLines;
            }
        }
        EXPECT_EQ(badLines, 0);
        int badFaces = 0;
        for (const std::string& face : faces) {
            const std::vector<std::string> f = Fields(face);
            for (int c = 1; c < 4; ++c) {
                std::vector<std::string> index;
                std::stringstream corner(f[c]);
                for (std::string part; std::getline(corner, part, '/');) {
                    index.push_back(part);
                }
                badFaces += !(index.size() == 3 && IsIndex(index[0], counts[0]) &&
                              IsIndex(index[1], counts[1]) && IsIndex(index[2], counts[2]));
            }
        }
        EXPECT_EQ(badFaces, 0);
    }
}
