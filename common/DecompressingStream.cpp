#include "common/DecompressingStream.h"

#include "common/DecompressionException.h"

#include <unistd.h>

std::unique_ptr<AByteStream> MakeZstdStream(int fd, std::uint64_t start, std::uint64_t size);
std::unique_ptr<AByteStream> MakeGzipStream(int fd, std::uint64_t start, std::uint64_t size);
std::unique_ptr<AByteStream> MakeBzip2Stream(int fd, std::uint64_t start, std::uint64_t size);

std::unique_ptr<AByteStream> OpenDecompressingStream(ECompression format, int fd,
                                                     std::uint64_t start, std::uint64_t size) {
    switch (format) {
    case ECompression::kZstd:
        return MakeZstdStream(fd, start, size);
    case ECompression::kGzip:
        return MakeGzipStream(fd, start, size);
    case ECompression::kBzip2:
        return MakeBzip2Stream(fd, start, size);
    case ECompression::kNone:
    case ECompression::kZip:
        break;
    }
    ::close(fd);
    throw CDecompressionException("OpenDecompressingStream(): Not a compressed stream!");
}

void ACompressedStream::Fail(const char* where, const std::string& what) const {
    throw CDecompressionException(std::string(where) + "(): The data " + what + " at byte " +
                                  std::to_string(input.Position()) + " of " +
                                  std::to_string(input.Size()) + "!");
}
