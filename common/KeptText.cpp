#include "common/KeptText.h"

#include "common/DecompressionException.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <zstd.h>

namespace {

constexpr std::size_t kFrameText = std::size_t{1} << 20;
// Fast enough to keep up with decompressing the file, and about a third of the text's size.
constexpr int kLevel = 1;

} // namespace

void CKeptText::Keep(std::uint64_t offset, std::string_view text) {
    ZSTD_CCtx* context = ZSTD_createCCtx();
    if (context == nullptr) {
        throw std::bad_alloc();
    }
    std::unique_ptr<char[]> scratch(new char[ZSTD_compressBound(kFrameText)]);
    for (std::size_t at = 0; at < text.size(); at += kFrameText) {
        const std::size_t length = std::min(kFrameText, text.size() - at);
        const std::size_t size =
            ZSTD_compressCCtx(context, scratch.get(), ZSTD_compressBound(kFrameText),
                              text.data() + at, length, kLevel);
        if (ZSTD_isError(size) != 0) {
            ZSTD_freeCCtx(context);
            throw std::bad_alloc(); // compressing into a buffer of the bound fails for memory only
        }
        CFrame frame;
        frame.offset = offset + at;
        frame.length = static_cast<std::uint32_t>(length);
        frame.size = static_cast<std::uint32_t>(size);
        frame.data.reset(new char[size]);
        std::memcpy(frame.data.get(), scratch.get(), size);
        memory += size + sizeof(CFrame);
        frames.push_back(std::move(frame));
    }
    ZSTD_freeCCtx(context);
}

bool CKeptText::Holds(std::uint64_t offset, std::uint64_t length) const noexcept {
    auto frame = std::upper_bound(frames.begin(), frames.end(), offset,
                                  [](std::uint64_t at, const CFrame& f) { return at < f.offset; });
    if (frame == frames.begin()) {
        return false;
    }
    --frame;
    std::uint64_t covered = frame->offset;
    for (; frame != frames.end() && frame->offset == covered; ++frame) {
        covered += frame->length;
        if (covered >= offset + length) {
            return true;
        }
    }
    return false;
}

void CKeptText::Read(std::uint64_t offset, std::uint64_t length, std::string& out) const {
    auto frame = std::upper_bound(frames.begin(), frames.end(), offset,
                                  [](std::uint64_t at, const CFrame& f) { return at < f.offset; });
    --frame;
    std::string text;
    const std::uint64_t end = offset + length;
    for (; frame != frames.end() && offset < end; ++frame) {
        text.resize(frame->length);
        const std::size_t got =
            ZSTD_decompress(text.data(), text.size(), frame->data.get(), frame->size);
        if (ZSTD_isError(got) != 0 || got != frame->length) {
            throw CDecompressionException("CKeptText::Read(): A kept frame does not decompress!");
        }
        const std::uint64_t from = offset - frame->offset;
        const std::uint64_t to = std::min<std::uint64_t>(frame->length, end - frame->offset);
        out.append(text, from, to - from);
        offset = frame->offset + to;
    }
}
