#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an uncompressed 24-bit true-colour TGA (type 2, bottom-left origin). `rgb` holds
// width * height pixels as R, G, B bytes, rows from top to bottom. Throws std::runtime_error
// naming the path when the file cannot be written.
void WriteTga24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& rgb);
