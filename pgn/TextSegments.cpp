#include "pgn/TextSegments.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

constexpr bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

// One past the ']' of the tag pair whose '[' stands at pos, read within its line, or npos.
std::size_t TagPairEnd(std::string_view text, std::size_t pos) {
    std::size_t p = SkipBlanks(text, pos + 1);
    const std::size_t name = p;
    while (p < text.size() && IsNameChar(text[p])) {
        ++p;
    }
    if (p == name || (p = SkipBlanks(text, p)) >= text.size() || text[p] != '"') {
        return npos;
    }
    for (++p; p < text.size() && text[p] != '"'; ++p) {
        if (text[p] == '\n') {
            return npos;
        }
        if (text[p] == '\\' && p + 1 < text.size() && text[p + 1] != '\n') {
            ++p;
        }
    }
    p = p < text.size() ? SkipBlanks(text, p + 1) : p;
    return p < text.size() && text[p] == ']' ? p + 1 : npos;
}

// The number of tag pairs on the line that starts at `pos` when it holds nothing else but
// blanks, comments closed on the line and a rest-of-line comment; -1 when it holds anything else.
int TagPairsOnLine(std::string_view text, std::size_t pos) {
    int pairs = 0;
    std::size_t p = SkipBlanks(text, pos);
    while (p < text.size() && text[p] != '\n' && text[p] != ';') {
        if (text[p] == '[') {
            p = TagPairEnd(text, p);
            ++pairs;
        } else if (text[p] == '{') {
            const std::size_t close = text.find_first_of("}\n", p);
            p = close != npos && text[close] == '}' ? close + 1 : npos;
        } else {
            return -1;
        }
        if (p == npos) {
            return -1;
        }
        p = SkipBlanks(text, p);
    }
    return pairs;
}

// Whether the last line before the line at `lineStart` that holds more than blanks, comments and
// escapes holds tag pairs and nothing else.
bool ContinuesTagSection(std::string_view text, std::size_t lineStart) {
    std::size_t end = lineStart; // one past the '\n' that ends the line looked at
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && text[start - 1] != '\n') {
            --start;
        }
        const int pairs = text[start] == '%' ? 0 : TagPairsOnLine(text, start);
        if (pairs != 0) {
            return pairs > 0;
        }
        end = start;
    }
    return false;
}

} // namespace

bool LineBeginsTagPair(std::string_view text, std::size_t pos) {
    std::size_t p = SkipBlanks(text, pos);
    if (p >= text.size() || text[p] != '[') {
        return false;
    }
    p = SkipBlanks(text, p + 1);
    const std::size_t name = p;
    while (p < text.size() && IsNameChar(text[p])) {
        ++p;
    }
    p = SkipBlanks(text, p);
    return p > name && p < text.size() && text[p] == '"';
}

std::size_t NextSegmentStart(std::string_view text, std::size_t from) {
    if (from == 0) {
        return 0;
    }
    std::size_t line = from;
    if (text[from - 1] != '\n') {
        line = text.find('\n', from);
        line = line == npos ? npos : line + 1;
    }
    while (line < text.size()) {
        if (LineBeginsTagPair(text, line) && !ContinuesTagSection(text, line)) {
            return line;
        }
        line = text.find('\n', line);
        line = line == npos ? npos : line + 1;
    }
    return npos;
}
