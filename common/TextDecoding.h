#pragma once

#include "common/CodePages.h"

#include <string>
#include <string_view>

// Narrow strings hold bytes of unknown encoding. At the user-interface boundary they are read
// as UTF-8 when the whole string is valid UTF-8 (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF), and otherwise in the legacy code page of the file they came from
// (see CodePages.h; Windows-1252 when nothing says otherwise).
std::string DecodeToUtf8(std::string_view bytes,
                         ELegacyCodePage page = ELegacyCodePage::kWindows1252);

// True when a text's first bytes are UTF-16: its byte-order mark, or without one a 0 byte in
// nine of ten even or odd places, as ASCII characters give.
bool LooksLikeUtf16(std::string_view start) noexcept;

// True when the bytes form valid UTF-8 as a whole, by the strict rules above.
bool IsValidUtf8(std::string_view bytes) noexcept;

// The length of the valid UTF-8 sequence that starts at bytes[i] (1 for ASCII), or 0 when none
// does there.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) noexcept;

// True when the bytes start with the UTF-8 byte-order mark EF BB BF, which is not text.
constexpr bool StartsWithByteOrderMark(std::string_view bytes) noexcept {
    return bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF';
}

// At most `maxCharacters` characters of a UTF-8 text: a longer one is cut after
// maxCharacters - 1 characters and ends in an ellipsis ("…"), so that a huge tag value cannot
// flood a title or a box.
std::string CutText(std::string_view utf8, std::size_t maxCharacters);

// The first bytes of a text that hold at least its first `maxCharacters` characters in either
// reading (UTF-8 or a legacy code page): 4 * maxCharacters + 4 bytes, clipped back to the start of
// a UTF-8 character so that valid UTF-8 stays valid and is read as such.
std::string_view ClipForDisplay(std::string_view bytes, std::size_t maxCharacters);

// The bytes as DecodeToUtf8 reads them, cut by CutText to `maxCharacters`; only the clipped
// bytes are read, so the cost does not grow with the text.
std::string DecodeForDisplay(std::string_view bytes, std::size_t maxCharacters,
                             ELegacyCodePage page = ELegacyCodePage::kWindows1252);
