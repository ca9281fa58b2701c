#include "common/CompressionFormat.h"

ECompression DetectCompression(std::string_view head) noexcept {
    const auto starts = [head](std::string_view magic) {
        return head.substr(0, magic.size()) == magic;
    };
    if (starts("\x28\xB5\x2F\xFD")) {
        return ECompression::kZstd;
    }
    // A skippable frame may open a zstd file (a seek table, or metadata).
    if (head.size() >= 4 && (static_cast<unsigned char>(head[0]) & 0xF0) == 0x50 &&
        head.substr(1, 3) == "\x2A\x4D\x18") {
        return ECompression::kZstd;
    }
    // gzip: magic and the deflate method.
    if (starts("\x1F\x8B\x08")) {
        return ECompression::kGzip;
    }
    // bzip2: "BZh" and a block size digit, then a block or the end-of-stream marker.
    if (head.size() >= 4 && starts("BZh") && head[3] >= '1' && head[3] <= '9') {
        return ECompression::kBzip2;
    }
    // zip: a local file header, or the end record of an empty archive.
    if (starts("PK\x03\x04") || starts("PK\x05\x06")) {
        return ECompression::kZip;
    }
    return ECompression::kNone;
}

const char* CompressionName(ECompression format) noexcept {
    switch (format) {
    case ECompression::kZstd:
        return "zstd";
    case ECompression::kGzip:
        return "gzip";
    case ECompression::kBzip2:
        return "bzip2";
    case ECompression::kZip:
        return "zip";
    case ECompression::kNone:
        break;
    }
    return "plain";
}
