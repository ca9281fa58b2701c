#include "common/DecompressingStream.h"
#include "common/DecompressionException.h"

#include <climits>
#include <zlib.h>

namespace {

class CGzipStream final : public ACompressedStream {
public:
    CGzipStream(int fd, std::uint64_t start, std::uint64_t size)
        : ACompressedStream(fd, start, size) {
        // 16 + 15: a gzip wrapper around a deflate stream of any window size.
        if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
            throw CDecompressionException("CGzipStream::CGzipStream(): Out of memory!");
        }
    }
    ~CGzipStream() override { inflateEnd(&z); }
    CGzipStream(const CGzipStream&) = delete;
    CGzipStream& operator=(const CGzipStream&) = delete;

    std::size_t Read(char* into, std::size_t bytes) override {
        std::size_t produced = 0;
        while (produced < bytes && !ended) {
            const std::string_view available = input.Available();
            if (available.empty()) {
                if (inMember) {
                    Fail("CGzipStream::Read", "ends early");
                }
                break;
            }
            if (!inMember && !BeginsMember(available)) {
                // Bytes after the last member that open no other (padding, as tar leaves): the
                // text has ended, as for the gzip program.
                ended = true;
                break;
            }
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(available.data()));
            z.avail_in = static_cast<uInt>(std::min<std::size_t>(available.size(), UINT_MAX));
            z.next_out = reinterpret_cast<Bytef*>(into + produced);
            z.avail_out = static_cast<uInt>(std::min<std::size_t>(bytes - produced, UINT_MAX));
            const uInt inBefore = z.avail_in;
            const uInt outBefore = z.avail_out;
            const int result = inflate(&z, Z_NO_FLUSH);
            input.Consume(inBefore - z.avail_in);
            produced += outBefore - z.avail_out;
            inMember = true;
            if (result == Z_STREAM_END) {
                inMember = false;
                MarkRestart(text + produced);
                inflateReset(&z);
            } else if (result != Z_OK && result != Z_BUF_ERROR) {
                Fail("CGzipStream::Read",
                     std::string("is damaged (") + (z.msg != nullptr ? z.msg : "zlib error") + ")");
            }
        }
        text += produced;
        return produced;
    }

private:
    static bool BeginsMember(std::string_view bytes) {
        return bytes.size() < 2 || (bytes[0] == '\x1F' && bytes[1] == '\x8B');
    }

    z_stream z{};
    bool inMember = false;
    bool ended = false;
};

} // namespace

std::unique_ptr<AByteStream> MakeGzipStream(int fd, std::uint64_t start, std::uint64_t size) {
    return std::make_unique<CGzipStream>(fd, start, size);
}
