#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Decodes Truevision TGA images of types 1, 2, 9 and 10 into pixels in R, G, B (, A) order,
// rows top to bottom. Colour-mapped images keep their 8-bit indices and a palette of up to 256
// entries of 15, 16, 24 or 32 bits, starting at any index, as image tools write them. Decoding
// needs no OpenGL context.
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
    // Run-length packets that overrun the image, data that ends early and colour indices
    // outside the palette give 8. True colour below 24 bits, colour indices other than 8 bits,
    // palette entries other than 15, 16, 24 or 32 bits, palettes reaching past index 255,
    // images above 2^31 - 1 bytes and images wider or higher than MaxSide() give 64. Problem()
    // then says what is wrong.
    int Decode(const std::uint8_t* file, std::size_t length);
    // Why the last Load or Decode refused the file, in plain words ("16-bit true colour is not
    // read, only 24- and 32-bit"); empty after a successful one.
    const std::string& Problem() const { return problem; }

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
    // The colours of the 256 indices, 4 bytes R, G, B, A each (indices the file's palette does
    // not hold are 0, 0, 0, 0, and no pixel uses them); empty unless the image is colour-mapped.
    const std::vector<std::uint8_t>& Palette() const { return palette; }
    // Whether the palette's colours carry alpha: 32-bit entries do; 15- and 16-bit entries'
    // attribute bit is not taken for alpha.
    bool PaletteHasAlpha() const { return paletteAlpha; }

private:
    // Decode without the clean-up of a failed decode.
    int DecodeFile(const std::uint8_t* file, std::size_t length);
    // Returns `status`, keeping `why` as the problem.
    int Refuse(int status, std::string why);

    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t bitsPerPixel = 0;
    std::int32_t imageSize = 0;
    std::int8_t imageType = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    bool paletteAlpha = false;
    std::string problem;
    int maxSide = kDefaultMaxSide;
};
