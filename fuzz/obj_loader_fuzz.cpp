#include "gfx3d/GfxExceptions.h"
#include "gfx3d/OBJLoader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// A text may be refused with a COBJLoaderException, after which the loader must hold no model.
// A parsed model's three arrays must hold VertexCount() * 3 readable floats each; every float is
// read so that the sanitizers see any short or unfilled array. A crash, a sanitizer report or an
// escaping exception is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    COBJLoader loader;
    try {
        loader.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const COBJLoaderException&) {
        if (loader.VertexCount() != 0) {
            std::abort();
        }
        return 0;
    }
    const int count = loader.VertexCount();
    if (count < 0 || count % 3 != 0) {
        std::abort();
    }
    const float* arrays[] = {loader.Vertices(), loader.Normals(), loader.TexCoords()};
    volatile float sum = 0;
    for (const float* array : arrays) {
        if (count > 0 && array == nullptr) {
            std::abort();
        }
        for (int i = 0; i < count * 3; ++i) {
            sum = sum + (std::isnan(array[i]) ? 0.0f : array[i]);
        }
    }
    return 0;
}
