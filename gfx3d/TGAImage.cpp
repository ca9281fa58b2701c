#include "gfx3d/TGAImage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <system_error>
#include <utility>

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kPaletteEntries = 256;
constexpr std::size_t kPaletteSize = kPaletteEntries * 3;

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
    std::vector<std::uint8_t>().swap(pixels);
    std::vector<std::uint8_t>().swap(palette);
}

int CTGAImage::Load(const char* path) {
    Release();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return kCannotOpen;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0) {
        return kCannotOpen;
    }
    std::vector<std::uint8_t> data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        return kCannotOpen;
    }
    return Decode(data.data(), data.size());
}

int CTGAImage::Decode(const std::uint8_t* file, std::size_t length) {
    Release();
    const int status = DecodeFile(file, length);
    if (status != kLoaded) {
        Release();
    }
    return status;
}

int CTGAImage::DecodeFile(const std::uint8_t* file, std::size_t length) {
    if (file == nullptr || length == 0) {
        return kCannotOpen;
    }
    if (length < kHeaderSize) {
        return kBadFormat;
    }
    const std::size_t idLength = file[0];
    const unsigned mapType = file[1];
    const auto type = static_cast<std::int8_t>(file[2]);
    if (mapType > 1 || type > 11) {
        return kUnsupported;
    }
    if (mapType == 1 &&
        (ReadU16(file + 3) != 0 || ReadU16(file + 5) != kPaletteEntries || file[7] != 24)) {
        return kUnsupported;
    }
    // Fields and differences are signed 16-bit: a difference that wraps below 1 is refused too.
    width = static_cast<std::int16_t>(ReadI16(file + 12) - ReadI16(file + 8));
    height = static_cast<std::int16_t>(ReadI16(file + 14) - ReadI16(file + 10));
    if (width < 1 || height < 1) {
        return kBadFormat;
    }
    // Refused before anything is allocated: a run-length file of a few bytes may claim a
    // picture of gigabytes.
    if (width > maxSide || height > maxSide) {
        return kUnsupported;
    }
    bitsPerPixel = file[16];
    const unsigned descriptor = file[17];
    if (descriptor > kDescriptorMax) {
        return kUnsupported;
    }
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(bitsPerPixel / 8);
    const std::uint64_t pixelCount =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const std::uint64_t size = pixelBytes * pixelCount;
    imageType = type;

    const bool mapped = type == kTypeMapped || type == kTypeMappedRle;
    const bool runLength = type == kTypeMappedRle || type == kTypeTrueColourRle;
    if (!mapped && type != kTypeTrueColour && type != kTypeTrueColourRle) {
        return kUnsupported;
    }
    if (mapType != (mapped ? 1U : 0U)) {
        return kBadFormat;
    }
    const std::size_t dataStart = kHeaderSize + idLength + (mapped ? kPaletteSize : 0);
    if (length < dataStart || (!runLength && length - dataStart < size)) {
        return kBadFormat;
    }
    // Palette indices are single bytes, and red and blue trade places only in 3 bytes or more.
    if (mapped ? bitsPerPixel != 8 : pixelBytes < 3) {
        return kUnsupported;
    }
    // Up to 31 bytes per pixel times 32767 squared would not fit the 32-bit image size.
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return kUnsupported;
    }
    imageSize = static_cast<std::int32_t>(size);
    const std::uint8_t* data = file + dataStart;
    const std::size_t dataLength = length - dataStart;
    // A packet yields at most 128 pixels from 1 + pixelBytes bytes, so a short file is refused
    // before its image is allocated.
    if (runLength && (pixelCount + 127) / 128 > dataLength / (1 + pixelBytes)) {
        return kBadFormat;
    }

    try {
        pixels.resize(size);
        if (mapped) {
            palette.resize(kPaletteSize);
        }
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    if (runLength) {
        if (!DecodeRuns(data, dataLength, pixels.data(), size, pixelBytes)) {
            return kBadFormat;
        }
    } else {
        std::copy_n(data, size, pixels.data());
    }
    if (mapped) {
        std::copy_n(file + kHeaderSize + idLength, kPaletteSize, palette.data());
        SwapRedBlue(palette.data(), kPaletteSize, 3);
    } else {
        SwapRedBlue(pixels.data(), size, pixelBytes);
    }
    if ((descriptor & kTopOriginBit) == 0) {
        FlipRows(pixels.data(), pixelBytes * static_cast<std::size_t>(width),
                 static_cast<std::size_t>(height));
    }
    return kLoaded;
}
