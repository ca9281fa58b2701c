#include "support/ReferencePreProcessor.h"

#include "pgn/PGNExceptions.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// The text with one "protected" flag per character; tag-value characters are protected and
// no rule may trigger on them, delete them or match them as a neighbour.
struct MarkedText {
    std::string& s;
    std::vector<bool> guarded;

    explicit MarkedText(std::string& text) : s(text), guarded(text.size(), false) {}

    std::size_t size() const { return s.size(); }
    bool is(std::size_t i, char c) const { return i < s.size() && s[i] == c && !guarded[i]; }
    bool isDigit(std::size_t i) const {
        return i < s.size() && s[i] >= '0' && s[i] <= '9' && !guarded[i];
    }
    void erase(std::size_t pos, std::size_t count) {
        s.erase(pos, count);
        guarded.erase(guarded.begin() + static_cast<std::ptrdiff_t>(pos),
                      guarded.begin() + static_cast<std::ptrdiff_t>(pos + count));
    }
    void replaceByTwoSpaces(std::size_t first, std::size_t last) {
        erase(first, last - first + 1);
        s.insert(first, "  ");
        guarded.insert(guarded.begin() + static_cast<std::ptrdiff_t>(first), 2, false);
    }
    void eraseToLineEnd(std::size_t pos) {
        const std::size_t lf = s.find('\n', pos);
        erase(pos, (lf == std::string::npos ? s.size() : lf) - pos);
    }
};

[[noreturn]] void fail(const char* what) {
    throw CPGNReaderException(std::string("CPGNReader::PreProcessData(): ") + what);
}

// Returns the index after the tag value whose opening quote stands at `quote`.
std::size_t protectTagValue(MarkedText& t, std::size_t quote) {
    std::size_t k = quote + 1;
    bool closed = false;
    while (k < t.size()) {
        const char c = t.s[k];
        if (c == '\\' && k + 1 < t.size() && t.s[k + 1] != '\r' && t.s[k + 1] != '\n') {
            k += 2;
        } else if (c == '"') {
            closed = true;
            break;
        } else if (c == '\r' || c == '\n') {
            break;
        } else {
            ++k;
        }
    }
    for (std::size_t j = quote + 1; j < k; ++j) {
        t.guarded[j] = true;
    }
    return closed ? k + 1 : k;
}

void structurePass(MarkedText& t) {
    std::size_t i = 0;
    int depth = 0;
    bool lineStart = true;
    while (i < t.size()) {
        const char c = t.s[i];
        if ((lineStart && c == '%') || c == ';') {
            t.eraseToLineEnd(i);
            continue;
        }
        const bool wasLf = c == '\n';
        switch (c) {
        case '\t':
        case '\n':
            t.s[i++] = ' ';
            break;
        case '\r':
        case '#':
            t.erase(i, 1);
            break;
        case '[':
            ++depth;
            ++i;
            break;
        case ']':
            --depth;
            ++i;
            break;
        case '{': {
            const std::size_t end = t.s.find('}', i + 1);
            if (end == std::string::npos) {
                fail("End of comment ('}') not found!");
            }
            t.replaceByTwoSpaces(i, end);
            i += 2;
            break;
        }
        case '(': {
            if (depth != 0) {
                ++i;
                break;
            }
            // A comment inside the variation runs to its '}', its brackets not counted.
            std::size_t k = i + 1;
            for (int level = 1; k < t.size(); ++k) {
                if (t.s[k] == '{') {
                    k = std::min(t.s.find('}', k + 1), t.size());
                    if (k == t.size()) {
                        break;
                    }
                    continue;
                }
                level += t.s[k] == '(' ? 1 : t.s[k] == ')' ? -1 : 0;
                if (level == 0) {
                    break;
                }
            }
            if (k >= t.size()) {
                fail("')' not found!");
            }
            t.replaceByTwoSpaces(i, k);
            i += 2;
            break;
        }
        case '"':
            i = depth > 0 ? protectTagValue(t, i) : i + 1;
            break;
        default:
            ++i;
        }
        lineStart = wasLf;
    }
}

void glyphPass(MarkedText& t) {
    for (;;) {
        std::size_t p = 0;
        while (p < t.size() && !t.is(p, '$')) {
            ++p;
        }
        if (p == t.size()) {
            return;
        }
        t.erase(p, 1);
        while (p < t.size() && t.s[p] != ' ' && !t.guarded[p]) {
            t.erase(p, 1);
        }
    }
}

void spacePass(MarkedText& t) {
    for (;;) {
        bool deleted = false;
        for (const char next : {' ', ']', '[', '"'}) {
            for (std::size_t i = 0; i + 1 < t.size(); ++i) {
                if (t.is(i, ' ') && t.s[i + 1] == next) {
                    t.erase(i, 1);
                    deleted = true;
                    break;
                }
            }
            if (deleted) {
                break;
            }
        }
        if (!deleted) {
            return;
        }
    }
}

void bracketPass(MarkedText& t) {
    for (std::size_t i = 0; i + 1 < t.size();) {
        if (t.is(i, '[') && t.is(i + 1, ' ')) {
            t.erase(i + 1, 1);
            i = 0;
        } else {
            ++i;
        }
    }
}

void blackMoveNumberPass(MarkedText& t) {
    for (;;) {
        std::size_t p = 0;
        while (p + 2 < t.size() && !(t.is(p, '.') && t.is(p + 1, '.') && t.is(p + 2, '.'))) {
            ++p;
        }
        if (p + 2 >= t.size()) {
            return;
        }
        if (p == 0 || !t.isDigit(p - 1)) {
            fail("Syntax error in PGN file! Detected '<A-z letter>...'!");
        }
        while (t.is(p, '.')) {
            t.erase(p, 1);
        }
        if (t.is(p, ' ')) {
            t.erase(p, 1);
        }
        std::size_t first = p;
        while (first > 0 && t.isDigit(first - 1)) {
            --first;
        }
        t.erase(first, p - first);
    }
}

} // namespace

void ReferencePreProcess(std::string& text) {
    MarkedText t(text);
    structurePass(t);
    glyphPass(t);
    spacePass(t);
    bracketPass(t);
    blackMoveNumberPass(t);
}
