#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes Truevision TGA images of types 1, 2, 9 and 10 into pixels in R, G, B (, A) order,
// rows top to bottom. Decoding needs no OpenGL context.
class CTGAImage {
public:
    // Status codes of Load and Decode.
    static constexpr int kLoaded = 1;
    static constexpr int kCannotOpen = 2;
    static constexpr int kNoMemory = 4;
    static constexpr int kBadFormat = 8;
    static constexpr int kUnsupported = 64;

    // Releases earlier pixels and palette, reads the file and decodes it.
    int Load(const char* path);
    // Decodes a whole file held in memory; no data at all gives 2, as an empty file does.
    // Run-length packets that overrun the image or data that ends early give 8. True colour
    // below 24 bits, colour-mapped pixels other than 8 bits, images above 2^31 - 1 bytes and
    // images wider or higher than MaxSide() give 64.
    int Decode(const std::uint8_t* file, std::size_t length);

    // The largest width and height a decode accepts; 16384 unless set (a texture may be limited
    // to less by the OpenGL implementation).
    static constexpr int kDefaultMaxSide = 16384;
    void SetMaxSide(int pixels) { maxSide = pixels; }
    int MaxSide() const { return maxSide; }

    // Frees pixels and palette and clears every field; a failed Load or Decode leaves the image
    // in this state.
    void Release();

    std::int16_t Width() const { return width; }
    std::int16_t Height() const { return height; }
    std::int16_t BitsPerPixel() const { return bitsPerPixel; }
    std::int32_t ImageSize() const { return imageSize; }
    std::int8_t ImageType() const { return imageType; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels; }
    // 256 x 3 bytes R, G, B; empty unless the image is colour-mapped.
    const std::vector<std::uint8_t>& Palette() const { return palette; }

private:
    // Decode without the clean-up of a failed decode.
    int DecodeFile(const std::uint8_t* file, std::size_t length);

    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t bitsPerPixel = 0;
    std::int32_t imageSize = 0;
    std::int8_t imageType = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    int maxSide = kDefaultMaxSide;
};
