// Welding identical triangle corners into shared vertices: on a hand-made mesh and on random
// meshes built from a small pool of corners.

#include "gfx3d/MeshWeld.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct SCorners {
    std::vector<float> positions, normals, texCoords;
    int Count() const { return static_cast<int>(positions.size() / 3); }
    void Add(const std::array<float, 9>& corner) {
        positions.insert(positions.end(), corner.begin(), corner.begin() + 3);
        normals.insert(normals.end(), corner.begin() + 3, corner.begin() + 6);
        texCoords.insert(texCoords.end(), corner.begin() + 6, corner.end());
    }
};

SIndexedMesh Weld(const SCorners& corners) {
    return WeldCorners(corners.positions.data(), corners.normals.data(), corners.texCoords.data(),
                       corners.Count());
}

SCorners Expand(const SIndexedMesh& mesh) {
    SCorners corners;
    for (const std::uint32_t index : mesh.indices) {
        for (std::size_t k = index * 3; k < index * 3 + 3; ++k) {
            corners.positions.push_back(mesh.positions.at(k));
            corners.normals.push_back(mesh.normals.at(k));
            corners.texCoords.push_back(mesh.texCoords.at(k));
        }
    }
    return corners;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// The expansion gives back every corner bit for bit, each unique vertex is distinct from the
// others, and vertices are numbered in the order of their first corner.
void ExpectFaithfulWeld(const SCorners& corners, const SIndexedMesh& mesh) {
    ASSERT_EQ(mesh.indices.size(), static_cast<std::size_t>(corners.Count()));
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
    ASSERT_EQ(mesh.texCoords.size(), mesh.positions.size());
    const SCorners expanded = Expand(mesh);
    EXPECT_TRUE(SameBits(expanded.positions, corners.positions));
    EXPECT_TRUE(SameBits(expanded.normals, corners.normals));
    EXPECT_TRUE(SameBits(expanded.texCoords, corners.texCoords));

    std::set<std::array<std::uint32_t, 9>> distinct;
    for (int v = 0; v < mesh.UniqueVertexCount(); ++v) {
        std::array<std::uint32_t, 9> key{};
        std::memcpy(key.data(), &mesh.positions[v * 3], 3 * sizeof(float));
        std::memcpy(key.data() + 3, &mesh.normals[v * 3], 3 * sizeof(float));
        std::memcpy(key.data() + 6, &mesh.texCoords[v * 3], 3 * sizeof(float));
        distinct.insert(key);
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(mesh.UniqueVertexCount()));
    std::uint32_t next = 0;
    for (const std::uint32_t index : mesh.indices) {
        ASSERT_LE(index, next);
        next += index == next ? 1 : 0;
    }
    EXPECT_EQ(next, static_cast<std::uint32_t>(mesh.UniqueVertexCount()));
}

} // namespace

TEST(MeshWeldTest, SharedCornersAreStoredOnceAndAnyDifferingBitKeepsACornerApart) {
    const std::array<float, 9> a = {0, 0, 0, 0, 1, 0, 0, 0, 0};
    const std::array<float, 9> b = {1, 0, 0, 0, 1, 0, 1, 0, 0};
    const std::array<float, 9> c = {1, 0, -1, 0, 1, 0, 1, 1, 0};
    std::array<float, 9> otherNormal = b;
    otherNormal[4] = 0.5f;
    std::array<float, 9> otherTexCoord = c;
    otherTexCoord[8] = 1.0f;
    std::array<float, 9> negativeZero = a;
    negativeZero[2] = -0.0f;
    SCorners corners;
    for (const auto& corner : {a, b, c, c, b, a, otherNormal, otherTexCoord, negativeZero}) {
        corners.Add(corner);
    }
    const SIndexedMesh mesh = Weld(corners);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 0, 3, 4, 5}));
    ExpectFaithfulWeld(corners, mesh);

    const SIndexedMesh empty = WeldCorners(nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(empty.UniqueVertexCount(), 0);
    EXPECT_TRUE(empty.indices.empty());
}

TEST(MeshWeldTest, ARandomMeshExpandsBackToItsCornersWithOneVertexPerDistinctCorner) {
    std::mt19937 random(77);
    std::uniform_int_distribution<int> value(-2, 2);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        // Few distinct values, so that corners often agree in some or all of their nine floats.
        std::vector<std::array<float, 9>> pool(std::uniform_int_distribution<int>(1, 40)(random));
        for (auto& corner : pool) {
            for (float& f : corner) {
                f = static_cast<float>(value(random)) * 0.25f;
            }
        }
        SCorners corners;
        std::set<std::array<float, 9>> used;
        const int count = 3 * std::uniform_int_distribution<int>(1, 60)(random);
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        for (int k = 0; k < count; ++k) {
            const auto& corner = pool[pick(random)];
            corners.Add(corner);
            used.insert(corner);
        }
        const SIndexedMesh mesh = Weld(corners);
        ExpectFaithfulWeld(corners, mesh);
        EXPECT_EQ(static_cast<std::size_t>(mesh.UniqueVertexCount()), used.size());
    }
}
