#include "tools/asset-gen/TgaWriter.h"

#include <array>
#include <cstddef>
#include <fstream>
#include <stdexcept>

void WriteTga24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& rgb) {
    std::array<std::uint8_t, 18> header{};
    header[2] = 2; // uncompressed true-colour
    header[12] = static_cast<std::uint8_t>(width & 0xFF);
    header[13] = static_cast<std::uint8_t>(width >> 8);
    header[14] = static_cast<std::uint8_t>(height & 0xFF);
    header[15] = static_cast<std::uint8_t>(height >> 8);
    header[16] = 24;
    header[17] = 0; // rows stored bottom to top

    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> body(rowBytes * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* source = rgb.data() + static_cast<std::size_t>(row) * rowBytes;
        std::uint8_t* target = body.data() + static_cast<std::size_t>(height - 1 - row) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; i += 3) {
            target[i] = source[i + 2];
            target[i + 1] = source[i + 1];
            target[i + 2] = source[i];
        }
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(header.data()),
               static_cast<std::streamsize>(header.size()));
    file.write(reinterpret_cast<const char*>(body.data()),
               static_cast<std::streamsize>(body.size()));
    if (!file) {
        throw std::runtime_error("cannot write '" + path + "'");
    }
}
