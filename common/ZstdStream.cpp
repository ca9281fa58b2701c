#include "common/DecompressingStream.h"
#include "common/DecompressionException.h"

#include <zstd.h>

namespace {

class CZstdStream final : public ACompressedStream {
public:
    CZstdStream(int fd, std::uint64_t start, std::uint64_t size)
        : ACompressedStream(fd, start, size), context(ZSTD_createDCtx()) {
        if (context == nullptr) {
            throw CDecompressionException("CZstdStream::CZstdStream(): Out of memory!");
        }
    }
    ~CZstdStream() override { ZSTD_freeDCtx(context); }
    CZstdStream(const CZstdStream&) = delete;
    CZstdStream& operator=(const CZstdStream&) = delete;

    std::size_t Read(char* into, std::size_t bytes) override {
        ZSTD_outBuffer out{into, bytes, 0};
        while (out.pos < out.size) {
            const std::string_view available = input.Available();
            if (available.empty()) {
                if (inFrame) {
                    Fail("CZstdStream::Read", "ends early");
                }
                break;
            }
            ZSTD_inBuffer in{available.data(), available.size(), 0};
            const std::size_t result = ZSTD_decompressStream(context, &out, &in);
            input.Consume(in.pos);
            if (ZSTD_isError(result) != 0) {
                Fail("CZstdStream::Read",
                     std::string("is damaged (") + ZSTD_getErrorName(result) + ")");
            }
            inFrame = result != 0;
            if (!inFrame) {
                MarkRestart(text + out.pos);
            }
        }
        text += out.pos;
        return out.pos;
    }

private:
    ZSTD_DCtx* context;
    bool inFrame = false; // a frame has begun and not ended
};

} // namespace

std::unique_ptr<AByteStream> MakeZstdStream(int fd, std::uint64_t start, std::uint64_t size) {
    return std::make_unique<CZstdStream>(fd, start, size);
}
