#pragma once

#include <string>
#include <string_view>

// Narrow strings hold bytes of unknown encoding. At the user-interface boundary they are read
// as UTF-8 when the whole string is valid UTF-8 (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF), and otherwise as Windows-1252, whose five undefined bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D map to the C1 controls of the same value.
std::string DecodeToUtf8(std::string_view bytes);

// True when the bytes form valid UTF-8 as a whole, by the strict rules above.
bool IsValidUtf8(std::string_view bytes) noexcept;
