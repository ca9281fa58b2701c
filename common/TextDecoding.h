#pragma once

#include <string>
#include <string_view>

// Narrow strings hold bytes of unknown encoding. At the user-interface boundary they are read
// as UTF-8 when the whole string is valid UTF-8 (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF), and otherwise as Windows-1252, whose five undefined bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D map to the C1 controls of the same value.
std::string DecodeToUtf8(std::string_view bytes);

// True when a text's first bytes are UTF-16: its byte-order mark, or without one a 0 byte in
// nine of ten even or odd places, as ASCII characters give.
bool LooksLikeUtf16(std::string_view start) noexcept;

// True when the bytes form valid UTF-8 as a whole, by the strict rules above.
bool IsValidUtf8(std::string_view bytes) noexcept;

// At most `maxCharacters` characters of a UTF-8 text: a longer one is cut after
// maxCharacters - 1 characters and ends in an ellipsis ("…"), so that a huge tag value cannot
// flood a title or a box.
std::string CutText(std::string_view utf8, std::size_t maxCharacters);

// The first bytes of a text that hold at least its first `maxCharacters` characters in either
// reading (UTF-8 or Windows-1252): 4 * maxCharacters + 4 bytes, clipped back to the start of a
// UTF-8 character so that valid UTF-8 stays valid and is read as such.
std::string_view ClipForDisplay(std::string_view bytes, std::size_t maxCharacters);

// The bytes as DecodeToUtf8 reads them, cut by CutText to `maxCharacters`; only the clipped
// bytes are read, so the cost does not grow with the text.
std::string DecodeForDisplay(std::string_view bytes, std::size_t maxCharacters);
