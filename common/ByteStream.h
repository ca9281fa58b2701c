#pragma once

#include <cstddef>
#include <cstdint>

// A place from which a compressed stream can be decompressed anew with no earlier state: the
// start of a zstd frame, a gzip member or a bzip2 stream. `source` counts the compressed
// file's bytes, `text` the decompressed text's.
struct CRestartPoint {
    std::uint64_t source = 0;
    std::uint64_t text = 0;
};

// The decompressed bytes of a compressed source, read front to back.
class AByteStream {
public:
    virtual ~AByteStream() = default;

    // Fills `into` with up to `bytes` further bytes and returns how many; 0 only at the end.
    // Throws CDecompressionException when the data is damaged or ends early; what was returned
    // before stays valid.
    virtual std::size_t Read(char* into, std::size_t bytes) = 0;
    // The source's bytes consumed so far, for progress.
    virtual std::uint64_t SourceBytesRead() const noexcept = 0;
    // The last restart point at or before the text read so far; the stream's start at first.
    virtual CRestartPoint LastRestart() const noexcept = 0;
};
