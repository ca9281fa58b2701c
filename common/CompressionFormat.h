#pragma once

#include <string_view>

// How a file's bytes are stored, told by their first bytes (the formats' magic numbers), never
// by the file's name.
enum class ECompression { kNone, kZstd, kGzip, kBzip2, kZip };

// The format whose magic number `head` (the file's first bytes, at least 6 where the file has
// them) begins with; kNone for anything else, plain text included.
ECompression DetectCompression(std::string_view head) noexcept;

// "zstd", "gzip", "bzip2", "zip" or "plain".
const char* CompressionName(ECompression format) noexcept;
