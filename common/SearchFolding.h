#pragma once

#include "common/CodePages.h"

#include <string>
#include <string_view>

// Text folded for search, so that "muller" finds "Müller" and "MULLER" alike. The bytes are read
// as UTF-8 when they are valid UTF-8, else in their file's code page, as everywhere at the
// interface. The
// result is UTF-8 in which:
// - letters are lower case (ASCII, Latin, Greek and Cyrillic capitals);
// - Latin letters with accents lose them, and ligatures become two letters ("ß" -> "ss",
//   "Æ" -> "ae"); letters without such a form ("ŉ", "Ʒ"...) stay as they are;
// - combining accents (U+0300..U+036F) are dropped;
// - control characters and the no-break space become spaces.
// "Mueller" is not folded to "muller": search needs no spelling rules.
std::string FoldForSearch(std::string_view bytes);

// Appends the folded form of `bytes` to `out`; see FoldForSearch.
void AppendFoldedForSearch(std::string& out, std::string_view bytes,
                           ELegacyCodePage page = ELegacyCodePage::kWindows1252);
