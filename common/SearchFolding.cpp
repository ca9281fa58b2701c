#include "common/SearchFolding.h"

#include "common/TextDecoding.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr char32_t kLatinFirst = 0x00C0;
// What each code point from U+00C0 to U+024F folds to; empty where it stays as it is.
constexpr std::array<std::string_view, 0x250 - kLatinFirst> kLatinFolded = {
    "a",  "a",  "a",  "a",  "a",  "a",  "ae", "c",
    "e",  "e",  "e",  "e",  "i",  "i",  "i",  "i", // U+00C0
    "d",  "n",  "o",  "o",  "o",  "o",  "o",  "",
    "o",  "u",  "u",  "u",  "u",  "y",  "th", "ss", // U+00D0
    "a",  "a",  "a",  "a",  "a",  "a",  "ae", "c",
    "e",  "e",  "e",  "e",  "i",  "i",  "i",  "i", // U+00E0
    "d",  "n",  "o",  "o",  "o",  "o",  "o",  "",
    "o",  "u",  "u",  "u",  "u",  "y",  "th", "y", // U+00F0
    "a",  "a",  "a",  "a",  "a",  "a",  "c",  "c",
    "c",  "c",  "c",  "c",  "c",  "c",  "d",  "d", // U+0100
    "d",  "d",  "e",  "e",  "e",  "e",  "e",  "e",
    "e",  "e",  "e",  "e",  "g",  "g",  "g",  "g", // U+0110
    "g",  "g",  "g",  "g",  "h",  "h",  "h",  "h",
    "i",  "i",  "i",  "i",  "i",  "i",  "i",  "i", // U+0120
    "i",  "i",  "ij", "ij", "j",  "j",  "k",  "k",
    "k",  "l",  "l",  "l",  "l",  "l",  "l",  "l", // U+0130
    "l",  "l",  "l",  "n",  "n",  "n",  "n",  "n",
    "n",  "n",  "n",  "n",  "o",  "o",  "o",  "o", // U+0140
    "o",  "o",  "oe", "oe", "r",  "r",  "r",  "r",
    "r",  "r",  "s",  "s",  "s",  "s",  "s",  "s", // U+0150
    "s",  "s",  "t",  "t",  "t",  "t",  "t",  "t",
    "u",  "u",  "u",  "u",  "u",  "u",  "u",  "u", // U+0160
    "u",  "u",  "u",  "u",  "w",  "w",  "y",  "y",
    "y",  "z",  "z",  "z",  "z",  "z",  "z",  "s", // U+0170
    "b",  "b",  "",   "",   "",   "",   "o",  "c",
    "c",  "d",  "d",  "d",  "d",  "",   "e",  "", // U+0180
    "e",  "f",  "f",  "g",  "",   "hv", "",   "i",
    "k",  "k",  "l",  "",   "",   "n",  "n",  "o", // U+0190
    "o",  "o",  "",   "",   "p",  "p",  "",   "",
    "",   "",   "",   "t",  "t",  "t",  "t",  "u", // U+01A0
    "u",  "",   "v",  "y",  "y",  "z",  "z",  "",
    "",   "",   "",   "",   "",   "",   "",   "", // U+01B0
    "",   "",   "",   "",   "dz", "dz", "dz", "lj",
    "lj", "lj", "nj", "nj", "nj", "a",  "a",  "i", // U+01C0
    "i",  "o",  "o",  "u",  "u",  "u",  "u",  "u",
    "u",  "u",  "u",  "u",  "u",  "e",  "a",  "a", // U+01D0
    "a",  "a",  "ae", "ae", "g",  "g",  "g",  "g",
    "k",  "k",  "o",  "o",  "o",  "o",  "",   "", // U+01E0
    "j",  "dz", "dz", "dz", "g",  "g",  "hv", "",
    "n",  "n",  "a",  "a",  "ae", "ae", "o",  "o", // U+01F0
    "a",  "a",  "a",  "a",  "e",  "e",  "e",  "e",
    "i",  "i",  "i",  "i",  "o",  "o",  "o",  "o", // U+0200
    "r",  "r",  "r",  "r",  "u",  "u",  "u",  "u",
    "s",  "s",  "t",  "t",  "",   "",   "h",  "h", // U+0210
    "",   "",   "ou", "ou", "z",  "z",  "a",  "a",
    "e",  "e",  "o",  "o",  "o",  "o",  "o",  "o", // U+0220
    "o",  "o",  "y",  "y",  "",   "",   "",   "",
    "db", "qp", "a",  "c",  "c",  "l",  "t",  "s", // U+0230
    "z",  "",   "",   "b",  "u",  "",   "e",  "e",
    "j",  "j",  "q",  "q",  "r",  "r",  "y",  "y", // U+0240
};

bool IsAscii(std::string_view bytes) noexcept {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

char FoldedAscii(char c) noexcept {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char>(c - 'A' + 'a');
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        return ' ';
    }
    return c;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Folds one code point of U+0080 and above.
void AppendFoldedCodePoint(std::string& out, char32_t cp) {
    if (cp >= kLatinFirst && cp < kLatinFirst + kLatinFolded.size()) {
        const std::string_view folded = kLatinFolded[cp - kLatinFirst];
        if (!folded.empty()) {
            out += folded;
            return;
        }
    } else if (cp >= 0x0300 && cp <= 0x036F) {
        return;
    } else if (cp <= 0xA0) {
        out += ' ';
        return;
    } else if ((cp >= 0x0391 && cp <= 0x03A9) || (cp >= 0x0410 && cp <= 0x042F)) {
        cp += 0x20;
    } else if (cp >= 0x0400 && cp <= 0x040F) {
        cp += 0x50;
    }
    AppendCodePoint(out, cp);
}

// `bytes` is valid UTF-8.
void AppendFoldedUtf8(std::string& out, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += FoldedAscii(bytes[i]);
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t cp = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            cp = cp << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        }
        AppendFoldedCodePoint(out, cp);
        i += length;
    }
}

} // namespace

void AppendFoldedForSearch(std::string& out, std::string_view bytes, ELegacyCodePage page) {
    if (IsAscii(bytes)) {
        const std::size_t start = out.size();
        out.resize(start + bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            out[start + i] = FoldedAscii(bytes[i]);
        }
    } else if (IsValidUtf8(bytes)) {
        AppendFoldedUtf8(out, bytes);
    } else {
        AppendFoldedUtf8(out, DecodeToUtf8(bytes, page));
    }
}

std::string FoldForSearch(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendFoldedForSearch(out, bytes);
    return out;
}
