#include "gfx3d/MeshWeld.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <unordered_map>

namespace {

constexpr std::size_t kKeyWords = 9;
using SCornerKey = std::array<std::uint32_t, kKeyWords>;

struct SCornerKeyHash {
    std::size_t operator()(const SCornerKey& key) const {
        std::uint64_t hash = 1469598103934665603ull; // FNV-1a over the words
        for (const std::uint32_t word : key) {
            hash = (hash ^ word) * 1099511628211ull;
        }
        return static_cast<std::size_t>(hash ^ (hash >> 29));
    }
};

} // namespace

SIndexedMesh WeldCorners(const float* positions, const float* normals, const float* texCoords,
                         int cornerCount) {
    SIndexedMesh mesh;
    if (cornerCount <= 0) {
        return mesh;
    }
    const auto corners = static_cast<std::size_t>(cornerCount);
    mesh.indices.reserve(corners);
    std::unordered_map<SCornerKey, std::uint32_t, SCornerKeyHash> vertexOf;
    vertexOf.reserve(corners);
    for (std::size_t corner = 0; corner < corners; ++corner) {
        const float* sources[] = {positions + corner * 3, normals + corner * 3,
                                  texCoords + corner * 3};
        SCornerKey key;
        for (std::size_t part = 0; part < 3; ++part) {
            std::memcpy(key.data() + part * 3, sources[part], 3 * sizeof(float));
        }
        const auto next = static_cast<std::uint32_t>(vertexOf.size());
        const auto [entry, added] = vertexOf.try_emplace(key, next);
        if (added) {
            mesh.positions.insert(mesh.positions.end(), sources[0], sources[0] + 3);
            mesh.normals.insert(mesh.normals.end(), sources[1], sources[1] + 3);
            mesh.texCoords.insert(mesh.texCoords.end(), sources[2], sources[2] + 3);
        }
        mesh.indices.push_back(entry->second);
    }
    return mesh;
}
