#include "gfx3d/TGAImage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <string>
#include <system_error>
#include <utility>

namespace {

constexpr std::size_t kHeaderSize = 18;
// The palette as decoded: a colour for each of the 256 values of an 8-bit index.
constexpr std::size_t kIndexValues = 256;
constexpr std::size_t kPaletteSize = kIndexValues * 4;

constexpr int kTypeMapped = 1;
constexpr int kTypeTrueColour = 2;
constexpr int kTypeMappedRle = 9;
constexpr int kTypeTrueColourRle = 10;

constexpr unsigned kDescriptorMax = 32;
constexpr unsigned kTopOriginBit = 32;

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::int16_t ReadI16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(ReadU16(p));
}

// Expands run-length packets from `in` until `out` is full. A packet that would write past the
// image, or input that ends first, is a bad file.
bool DecodeRuns(const std::uint8_t* in, std::size_t inLength, std::uint8_t* out,
                std::size_t outLength, std::size_t pixelBytes) {
    std::size_t read = 0;
    std::size_t written = 0;
    while (written < outLength) {
        if (read >= inLength) {
            return false;
        }
        const unsigned header = in[read++];
        const std::size_t count = header >= 128 ? header - 127 : header + 1;
        const std::size_t bytes = count * pixelBytes;
        if (bytes > outLength - written) {
            return false;
        }
        if (header >= 128) {
            if (pixelBytes > inLength - read) {
                return false;
            }
            const std::uint8_t* pixel = in + read;
            read += pixelBytes;
            for (std::size_t i = 0; i < count; ++i, written += pixelBytes) {
                std::copy_n(pixel, pixelBytes, out + written);
            }
        } else {
            if (bytes > inLength - read) {
                return false;
            }
            std::copy_n(in + read, bytes, out + written);
            read += bytes;
            written += bytes;
        }
    }
    return true;
}

void SwapRedBlue(std::uint8_t* data, std::size_t length, std::size_t stride) {
    for (std::size_t i = 0; i + 2 < length; i += stride) {
        std::swap(data[i], data[i + 2]);
    }
}

// One palette entry of 15, 16, 24 or 32 bits (B, G, R order, 5 bits a channel below 24) as
// R, G, B, A.
void ExpandEntry(const std::uint8_t* entry, unsigned bits, std::uint8_t* rgba) {
    if (bits <= 16) {
        const unsigned value = ReadU16(entry);
        const auto channel = [value](unsigned shift) {
            const unsigned five = (value >> shift) & 31U;
            return static_cast<std::uint8_t>((five << 3) | (five >> 2));
        };
        rgba[0] = channel(10);
        rgba[1] = channel(5);
        rgba[2] = channel(0);
        rgba[3] = 255;
        return;
    }
    rgba[0] = entry[2];
    rgba[1] = entry[1];
    rgba[2] = entry[0];
    rgba[3] = bits == 32 ? entry[3] : 255;
}

// What the descriptor byte asks for that is not read (the byte is above 32).
std::string DescriptorProblem(unsigned descriptor) {
    const std::string start = "image descriptor " + std::to_string(descriptor) + ": ";
    if ((descriptor & 0xC0U) != 0) {
        return start + "interleaved rows are not read";
    }
    if ((descriptor & 0x10U) != 0) {
        return start + "rows stored right to left are not read";
    }
    return start + "alpha bits together with a top-left origin are not read";
}

std::string TypeProblem(int type) {
    const char* kind = type == 3 || type == 11 ? "a grey-scale image"
                       : type == 0             ? "an image without pixel data"
                                               : "an image";
    return std::string(kind) + " (type " + std::to_string(type) +
           "); only colour-mapped and true-colour images (types 1, 2, 9 and 10) are read";
}

void FlipRows(std::uint8_t* data, std::size_t rowBytes, std::size_t rows) {
    for (std::size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(data + top * rowBytes, data + (top + 1) * rowBytes,
                         data + bottom * rowBytes);
    }
}

} // namespace

void CTGAImage::Release() {
    width = 0;
    height = 0;
    bitsPerPixel = 0;
    imageSize = 0;
    imageType = 0;
    paletteAlpha = false;
    std::vector<std::uint8_t>().swap(pixels);
    std::vector<std::uint8_t>().swap(palette);
}

int CTGAImage::Refuse(int status, std::string why) {
    problem = std::move(why);
    return status;
}

int CTGAImage::Load(const char* path) {
    Release();
    problem.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Refuse(kCannotOpen, "the file cannot be opened");
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0) {
        return Refuse(kCannotOpen, error ? "the file cannot be opened" : "the file is empty");
    }
    std::vector<std::uint8_t> data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return Refuse(kNoMemory, "not enough memory for the file");
    }
    file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        return Refuse(kCannotOpen, "the file cannot be read");
    }
    return Decode(data.data(), data.size());
}

int CTGAImage::Decode(const std::uint8_t* file, std::size_t length) {
    Release();
    problem.clear();
    const int status = DecodeFile(file, length);
    if (status != kLoaded) {
        Release();
    } else {
        problem.clear();
    }
    return status;
}

int CTGAImage::DecodeFile(const std::uint8_t* file, std::size_t length) {
    constexpr const char* kDamaged = "the image is damaged or cut short";
    if (file == nullptr || length == 0) {
        return Refuse(kCannotOpen, "the file is empty");
    }
    if (length < kHeaderSize) {
        return Refuse(kBadFormat, kDamaged);
    }
    const std::size_t idLength = file[0];
    const unsigned mapType = file[1];
    const auto type = static_cast<std::int8_t>(file[2]);
    if (mapType > 1) {
        return Refuse(kUnsupported, "colour-map type " + std::to_string(mapType) +
                                        " is not read, only 0 (none) and 1 (a palette)");
    }
    if (type > 11) {
        return Refuse(kUnsupported, TypeProblem(type));
    }
    const std::size_t mapFirst = ReadU16(file + 3);
    const std::size_t mapLength = ReadU16(file + 5);
    const unsigned mapBits = file[7];
    if (mapType == 1) {
        if (mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32) {
            return Refuse(kUnsupported, "palette entries of " + std::to_string(mapBits) +
                                            " bits are not read, only of 15, 16, 24 and 32");
        }
        if (mapFirst + mapLength > kIndexValues) {
            return Refuse(kUnsupported,
                          "a palette of " + std::to_string(mapLength) + " entries from index " +
                              std::to_string(mapFirst) +
                              " reaches past index 255, the last an 8-bit index names");
        }
    }
    // Fields and differences are signed 16-bit: a difference that wraps below 1 is refused too.
    width = static_cast<std::int16_t>(ReadI16(file + 12) - ReadI16(file + 8));
    height = static_cast<std::int16_t>(ReadI16(file + 14) - ReadI16(file + 10));
    if (width < 1 || height < 1) {
        return Refuse(kBadFormat, "the image has no pixels (width or height below 1)");
    }
    // Refused before anything is allocated: a run-length file of a few bytes may claim a
    // picture of gigabytes.
    if (width > maxSide || height > maxSide) {
        return Refuse(kUnsupported, std::to_string(width) + " x " + std::to_string(height) +
                                        " pixels is larger than " + std::to_string(maxSide) +
                                        " pixels on a side");
    }
    bitsPerPixel = file[16];
    const unsigned descriptor = file[17];
    if (descriptor > kDescriptorMax) {
        return Refuse(kUnsupported, DescriptorProblem(descriptor));
    }
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(bitsPerPixel / 8);
    const std::uint64_t pixelCount =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const std::uint64_t size = pixelBytes * pixelCount;
    imageType = type;

    const bool mapped = type == kTypeMapped || type == kTypeMappedRle;
    const bool runLength = type == kTypeMappedRle || type == kTypeTrueColourRle;
    if (!mapped && type != kTypeTrueColour && type != kTypeTrueColourRle) {
        return Refuse(kUnsupported, TypeProblem(type));
    }
    if (mapType != (mapped ? 1U : 0U)) {
        return Refuse(kBadFormat, mapped ? "a colour-mapped image without a palette"
                                         : "a true-colour image with a palette");
    }
    const std::size_t paletteBytes = mapped ? mapLength * ((mapBits + 7) / 8) : 0;
    const std::size_t dataStart = kHeaderSize + idLength + paletteBytes;
    if (length < dataStart || (!runLength && length - dataStart < size)) {
        return Refuse(kBadFormat, kDamaged);
    }
    // Palette indices are single bytes, and red and blue trade places only in 3 bytes or more.
    if (mapped && bitsPerPixel != 8) {
        return Refuse(kUnsupported, "colour indices of " + std::to_string(bitsPerPixel) +
                                        " bits are not read, only of 8");
    }
    if (!mapped && pixelBytes < 3) {
        return Refuse(kUnsupported, std::to_string(bitsPerPixel) +
                                        "-bit true colour is not read, only 24- and 32-bit");
    }
    // Up to 31 bytes per pixel times 32767 squared would not fit the 32-bit image size.
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return Refuse(kUnsupported, "the image holds more than 2 GB of pixels");
    }
    imageSize = static_cast<std::int32_t>(size);
    const std::uint8_t* data = file + dataStart;
    const std::size_t dataLength = length - dataStart;
    // A packet yields at most 128 pixels from 1 + pixelBytes bytes, so a short file is refused
    // before its image is allocated.
    if (runLength && (pixelCount + 127) / 128 > dataLength / (1 + pixelBytes)) {
        return Refuse(kBadFormat, kDamaged);
    }

    try {
        pixels.resize(size);
        if (mapped) {
            palette.resize(kPaletteSize);
        }
    } catch (const std::bad_alloc&) {
        return Refuse(kNoMemory, "not enough memory for the image");
    }
    if (runLength) {
        if (!DecodeRuns(data, dataLength, pixels.data(), size, pixelBytes)) {
            return Refuse(kBadFormat, kDamaged);
        }
    } else {
        std::copy_n(data, size, pixels.data());
    }
    if (mapped) {
        const std::uint8_t* entry = file + kHeaderSize + idLength;
        const std::size_t entryBytes = (mapBits + 7) / 8;
        for (std::size_t i = 0; i < mapLength; ++i, entry += entryBytes) {
            ExpandEntry(entry, mapBits, palette.data() + (mapFirst + i) * 4);
        }
        paletteAlpha = mapBits == 32;
        for (const std::uint8_t index : pixels) {
            if (index < mapFirst || index >= mapFirst + mapLength) {
                return Refuse(
                    kBadFormat,
                    "colour index " + std::to_string(index) + " lies outside the palette" +
                        (mapLength == 0 ? std::string(", which is empty")
                                        : " (indices " + std::to_string(mapFirst) + " to " +
                                              std::to_string(mapFirst + mapLength - 1) + ")"));
            }
        }
    } else {
        SwapRedBlue(pixels.data(), size, pixelBytes);
    }
    if ((descriptor & kTopOriginBit) == 0) {
        FlipRows(pixels.data(), pixelBytes * static_cast<std::size_t>(width),
                 static_cast<std::size_t>(height));
    }
    return kLoaded;
}
