#pragma once

#include "common/ByteStream.h"
#include "common/CompressionFormat.h"
#include "common/FileInput.h"

#include <memory>

// The decompressed text of a zstd, gzip or bzip2 file, read from `start` on: the file's start,
// or a restart point recorded by an earlier read of the same file. Streams of several frames,
// members or streams (as parallel compressors write them) are read as one text; each start of
// one is a restart point. Takes `fd`, an open regular file of `size` bytes.
// Throws CDecompressionException when the decoder cannot be made.
std::unique_ptr<AByteStream> OpenDecompressingStream(ECompression format, int fd,
                                                     std::uint64_t start, std::uint64_t size);

// What the three decoders share: the file read a buffer at a time, the text counted, and the
// last restart point.
class ACompressedStream : public AByteStream {
public:
    std::uint64_t SourceBytesRead() const noexcept override { return input.Position(); }
    CRestartPoint LastRestart() const noexcept override { return restart; }

protected:
    ACompressedStream(int fd, std::uint64_t start, std::uint64_t size)
        : input(fd, start, size), restart{start, 0} {}

    // A frame, member or stream has ended with `produced` bytes of text in this call: the next
    // one begins at the input's position.
    void MarkRestart(std::uint64_t textEnd) noexcept { restart = {input.Position(), textEnd}; }
    // Throws "<where>(): The data <what> at byte N of M!".
    [[noreturn]] void Fail(const char* where, const std::string& what) const;

    CFileInput input;
    std::uint64_t text = 0; // bytes of text returned so far
    CRestartPoint restart;
};
