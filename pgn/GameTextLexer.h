#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The tokens of one game's text as it stands in the file, not pre-processed: tag pairs,
// comments ({...} and ';' to the end of the line), variation brackets, numeric annotation
// glyphs and words (move numbers, moves, results and anything else between separators).
// Escape lines ('%' at the very start of a line), white space and byte-order marks are skipped.
enum class EGameToken { End, TagPair, Comment, VariationStart, VariationEnd, Glyph, Word };

struct CGameToken {
    EGameToken kind = EGameToken::End;
    std::string_view text;  // the whole token as written
    std::string_view name;  // a tag pair's name
    std::string_view inner; // a tag pair's value as written, a comment's inside, a glyph's digits
};

class CGameTextLexer {
public:
    explicit CGameTextLexer(std::string_view text) : text(text) {}

    // The next token, then End for ever. Any bytes are accepted except a '{' that no '}'
    // closes and a '[' that begins no tag pair ('[' name '"' value '"' ']', white space allowed
    // around the name and before ']'): both throw CPGNReaderException. Linear in the text.
    CGameToken Next();

private:
    CGameToken TagPair();
    void SkipSpace();

    std::string_view text;
    std::size_t pos = 0;
    bool lineStart = true;
};

// A token for a message: at most 32 bytes of it (with "..." when cut, never inside a UTF-8
// sequence), control characters shown as spaces, in double quotes.
std::string QuoteToken(std::string_view token);
