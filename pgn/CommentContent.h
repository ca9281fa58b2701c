#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a comment holds once its embedded commands ("[%name value]") are taken out. Commands
// are hidden from the text whatever their name; [%clk h:mm:ss] and [%eval x] are also kept as
// values when they are well formed.
struct CCommentContent {
    std::string text;  // the rest, each run of white space made one space, trimmed
    std::string clock; // the last well-formed [%clk] value, such as "1:05:22" or "0:00:09.5"
    std::string eval;  // the last well-formed [%eval] value, such as "+0.35", "-2" or "#-3"
    // The characters of the text past its first `keep` bytes, which were not kept (a byte that
    // is not a UTF-8 continuation byte starts one).
    std::size_t more = 0;
};

// Reads the inside of a comment (without its braces or ';'), in time linear in its length. A
// "[%" that no ']' closes is text. Only the text's first `keep` bytes are kept, the rest counted:
// a comment of a hundred megabytes need not be copied whole to be shown cut.
CCommentContent ReadCommentContent(std::string_view comment,
                                   std::size_t keep = std::string_view::npos);
