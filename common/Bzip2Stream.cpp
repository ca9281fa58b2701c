#include "common/DecompressingStream.h"
#include "common/DecompressionException.h"

#include <bzlib.h>
#include <climits>

namespace {

class CBzip2Stream final : public ACompressedStream {
public:
    CBzip2Stream(int fd, std::uint64_t start, std::uint64_t size)
        : ACompressedStream(fd, start, size) {}
    ~CBzip2Stream() override { End(); }
    CBzip2Stream(const CBzip2Stream&) = delete;
    CBzip2Stream& operator=(const CBzip2Stream&) = delete;

    std::size_t Read(char* into, std::size_t bytes) override {
        std::size_t produced = 0;
        while (produced < bytes && !ended) {
            const std::string_view available = input.Available();
            if (available.empty()) {
                if (inStream) {
                    Fail("CBzip2Stream::Read", "ends early");
                }
                break;
            }
            if (!inStream) {
                if (available.substr(0, 3) != "BZh" && available.size() >= 3) {
                    ended = true; // bytes after the last stream open no other
                    break;
                }
                if (BZ2_bzDecompressInit(&s, 0, 0) != BZ_OK) {
                    throw CDecompressionException("CBzip2Stream::Read(): Out of memory!");
                }
                inStream = true;
            }
            s.next_in = const_cast<char*>(available.data());
            s.avail_in = static_cast<unsigned>(std::min<std::size_t>(available.size(), UINT_MAX));
            s.next_out = into + produced;
            s.avail_out = static_cast<unsigned>(std::min<std::size_t>(bytes - produced, UINT_MAX));
            const unsigned inBefore = s.avail_in;
            const unsigned outBefore = s.avail_out;
            const int result = BZ2_bzDecompress(&s);
            input.Consume(inBefore - s.avail_in);
            produced += outBefore - s.avail_out;
            if (result == BZ_STREAM_END) {
                End();
                MarkRestart(text + produced);
            } else if (result != BZ_OK) {
                Fail("CBzip2Stream::Read", result == BZ_MEM_ERROR
                                               ? "cannot be decompressed in the memory left"
                                               : "is damaged");
            }
        }
        text += produced;
        return produced;
    }

private:
    void End() noexcept {
        if (inStream) {
            BZ2_bzDecompressEnd(&s);
            inStream = false;
        }
    }

    bz_stream s{};
    bool inStream = false;
    bool ended = false;
};

} // namespace

std::unique_ptr<AByteStream> MakeBzip2Stream(int fd, std::uint64_t start, std::uint64_t size) {
    return std::make_unique<CBzip2Stream>(fd, start, size);
}
