#include "common/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

bool IsContinuation(unsigned char c) noexcept {
    return (c & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool LooksLikeUtf16(std::string_view start) noexcept {
    const auto byte = [start](std::size_t i) { return static_cast<unsigned char>(start[i]); };
    if (start.size() >= 2 &&
        ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
        return true;
    }
    const std::size_t pairs = std::min<std::size_t>(start.size(), 64) / 2;
    if (pairs < 4) {
        return false;
    }
    std::size_t evenZeros = 0;
    std::size_t oddZeros = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        evenZeros += byte(2 * i) == 0;
        oddZeros += byte(2 * i + 1) == 0;
    }
    return evenZeros * 10 >= pairs * 9 || oddZeros * 10 >= pairs * 9;
}

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) noexcept {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
        return 1;
    }
    // The allowed range of the second byte narrows for the lead bytes where the shortest
    // form, the surrogates or the U+10FFFF limit would otherwise be crossed.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) {
            low = 0xA0;
        } else if (c == 0xED) {
            high = 0x9F;
        }
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) {
            low = 0x90;
        } else if (c == 0xF4) {
            high = 0x8F;
        }
    } else {
        return 0;
    }
    if (bytes.size() - i < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) {
            return 0;
        }
    }
    return length;
}

bool IsValidUtf8(std::string_view bytes) noexcept {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string DecodeToUtf8(std::string_view bytes, ELegacyCodePage page) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            AppendUtf8(out, LegacyCodePoint(page, c));
        }
    }
    return out;
}

std::string CutText(std::string_view utf8, std::size_t maxCharacters) {
    std::size_t characters = 0;
    std::size_t cut = 0; // where the maxCharacters-th character starts
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (IsContinuation(static_cast<unsigned char>(utf8[i]))) {
            continue;
        }
        if (++characters == maxCharacters) {
            cut = i;
        } else if (characters > maxCharacters) {
            return std::string(utf8.substr(0, cut)) + "\u2026";
        }
    }
    return std::string(utf8);
}

std::string_view ClipForDisplay(std::string_view bytes, std::size_t maxCharacters) {
    const std::size_t enough = 4 * maxCharacters + 4;
    if (bytes.size() <= enough) {
        return bytes;
    }
    std::size_t end = enough;
    while (end > 0 && IsContinuation(static_cast<unsigned char>(bytes[end]))) {
        --end;
    }
    return bytes.substr(0, end);
}

std::string DecodeForDisplay(std::string_view bytes, std::size_t maxCharacters,
                             ELegacyCodePage page) {
    return CutText(DecodeToUtf8(ClipForDisplay(bytes, maxCharacters), page), maxCharacters);
}
