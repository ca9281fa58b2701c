#include "pgn/TextSegments.h"

#include "common/TextDecoding.h"

#include <cstring>

namespace {

constexpr std::size_t npos = std::string_view::npos;

enum class ELine { kBlank, kTransparent, kTagPairs, kTagPairsThenMovetext, kDamaged, kOther };

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

constexpr bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

constexpr bool InHeader(ELine kind) {
    return kind == ELine::kTagPairs || kind == ELine::kDamaged;
}

constexpr bool OpensHeader(ELine kind) {
    return InHeader(kind) || kind == ELine::kTagPairsThenMovetext;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos, std::size_t end) {
    while (pos < end && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t LineEnd(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return text.size();
    }
    const void* lf = std::memchr(text.data() + pos, '\n', text.size() - pos);
    return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) : text.size();
}

// One past the ']' of the tag pair whose '[' stands at pos, read before `end`, or npos.
std::size_t TagPairEnd(std::string_view text, std::size_t pos, std::size_t end) {
    std::size_t p = SkipBlanks(text, pos + 1, end);
    const std::size_t name = p;
    while (p < end && IsNameChar(text[p])) {
        ++p;
    }
    if (p == name || (p = SkipBlanks(text, p, end)) >= end || text[p] != '"') {
        return npos;
    }
    for (++p; p < end && text[p] != '"'; ++p) {
        if (text[p] == '\\' && p + 1 < end) {
            ++p;
        }
    }
    p = p < end ? SkipBlanks(text, p + 1, end) : p;
    return p < end && text[p] == ']' ? p + 1 : npos;
}

constexpr bool BeginsMovetext(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '*' ||
           c == '(' || c == '$';
}

// What the line from `start` to `end` (its '\n' or the text's end) is, by itself.
ELine ClassifyLine(std::string_view text, std::size_t start, std::size_t end) {
    std::size_t p = SkipLineBlanks(text, start);
    if (p >= end) {
        return ELine::kBlank;
    }
    if (p == start && text[p] == '%') {
        return ELine::kTransparent;
    }
    if (text[p] != '[' && text[p] != '{' && text[p] != ';') {
        return ELine::kOther;
    }
    if (text[p] == '[') {
        const std::size_t inside = SkipBlanks(text, p + 1, end);
        // A comment's command wrapped onto a line of its own; one with a quote is a pair
        // whose name went wrong.
        if (inside < end && text[inside] == '%' &&
            std::memchr(text.data() + inside, '"', end - inside) == nullptr) {
            return ELine::kOther;
        }
    }
    bool pairs = false;
    while (p < end && text[p] != ';') {
        if (text[p] == '[') {
            p = TagPairEnd(text, p, end);
            if (p == npos) {
                return ELine::kDamaged;
            }
            pairs = true;
        } else if (text[p] == '{') {
            const void* close = std::memchr(text.data() + p, '}', end - p);
            if (close == nullptr) {
                return pairs ? ELine::kTagPairsThenMovetext : ELine::kOther;
            }
            p = static_cast<std::size_t>(static_cast<const char*>(close) - text.data()) + 1;
        } else if (!pairs) {
            return ELine::kOther;
        } else {
            // What cannot begin movetext ("]", a quote...) is a fault of the pairs before it.
            return BeginsMovetext(text[p]) ? ELine::kTagPairsThenMovetext : ELine::kDamaged;
        }
        p = SkipBlanks(text, p, end);
    }
    return pairs ? ELine::kTagPairs : ELine::kTransparent;
}

// Whether a line that reads as movetext may be the rest of a value broken over two lines: it
// holds a quote and ends in ']'.
bool MayContinueValue(std::string_view text, std::size_t start, std::size_t end) {
    while (end > start && IsBlank(text[end - 1])) {
        --end;
    }
    return end > start && text[end - 1] == ']' &&
           std::memchr(text.data() + start, '"', end - start) != nullptr;
}

// What the line from `start` to `end` is where it stands, after a line of kind `before` (the
// last one that is not transparent): as ClassifyLine says, except that the rest of a broken
// value after a damaged line is damaged too.
ELine Classify(std::string_view text, std::size_t start, std::size_t end, ELine before) {
    const ELine kind = ClassifyLine(text, start, end);
    return kind == ELine::kOther && before == ELine::kDamaged && MayContinueValue(text, start, end)
               ? ELine::kDamaged
               : kind;
}

// The kind, where it stands, of the last line before the one at `lineStart` that is not
// transparent; blank at the text's start.
ELine KindBefore(std::string_view text, std::size_t lineStart) {
    bool mayContinue = false; // the lines passed may each continue a value broken before them
    for (std::size_t end = lineStart; end > 0;) {
        std::size_t start = end - 1; // the '\n' that ends the line looked at
        while (start > 0 && text[start - 1] != '\n') {
            --start;
        }
        const ELine kind = ClassifyLine(text, start, end - 1);
        if (kind == ELine::kOther && MayContinueValue(text, start, end - 1)) {
            mayContinue = true;
        } else if (kind != ELine::kTransparent) {
            return mayContinue ? (kind == ELine::kDamaged ? kind : ELine::kOther) : kind;
        }
        end = start;
    }
    return mayContinue ? ELine::kOther : ELine::kBlank;
}

// The position after the byte-order marks among the blanks that start the line at `line`, each
// made blanks in `blanked` when it is given.
std::size_t SkipMarks(std::string_view text, std::size_t line, std::size_t end, char* blanked) {
    std::size_t p = SkipBlanks(text, line, end);
    while (StartsWithByteOrderMark(text.substr(p, end - p))) {
        if (blanked != nullptr) {
            std::memset(blanked + p, ' ', 3);
        }
        p = SkipBlanks(text, p + 3, end);
    }
    return p;
}

// Walks the header that starts at the line at `start`: whether it holds a tag line or a damaged
// line with a quote, which makes it a header. With `damaged`, blanks out each damaged line there
// and each byte-order mark that starts a line (and walks the whole run); without, stops as soon
// as the answer is known.
bool WalkHeader(std::string_view text, std::size_t start, char* damaged) {
    bool header = false;
    ELine before = ELine::kBlank;
    for (std::size_t line = start; line < text.size();) {
        const std::size_t end = LineEnd(text, line);
        const ELine kind = Classify(text, line, end, before);
        before = kind == ELine::kTransparent ? before : kind;
        if (kind == ELine::kDamaged) {
            header = header || std::memchr(text.data() + line, '"', end - line) != nullptr;
            if (damaged != nullptr) {
                std::memset(damaged + line, ' ', end - line);
            }
        } else if (kind == ELine::kTagPairs || kind == ELine::kTagPairsThenMovetext) {
            header = true;
            if (damaged != nullptr) {
                SkipMarks(text, line, end, damaged);
            }
        } else if (kind != ELine::kTransparent) {
            break;
        }
        if (kind == ELine::kTagPairsThenMovetext || (header && damaged == nullptr)) {
            break;
        }
        line = end + 1;
    }
    return header;
}

// The first header that starts at or after the line at `line`; `before` is the kind of the last
// line before it that is not transparent. With `damaged`, the lines from `line` on continue a
// header, and whether they hold a damaged line or a line that starts with a byte-order mark
// before it ends is added there.
std::size_t FindHeader(std::string_view text, std::size_t line, ELine before, bool* damaged) {
    while (line < text.size()) {
        const std::size_t end = LineEnd(text, line);
        const ELine kind = Classify(text, line, end, before);
        if (damaged != nullptr && kind != ELine::kTransparent) {
            *damaged = *damaged || kind == ELine::kDamaged ||
                       SkipMarks(text, line, end, nullptr) != SkipBlanks(text, line, end);
            if (!InHeader(kind)) {
                damaged = nullptr;
            }
        }
        if (OpensHeader(kind) && !InHeader(before) && WalkHeader(text, line, nullptr)) {
            return line;
        }
        if (kind != ELine::kTransparent) {
            before = kind;
        }
        line = end + 1;
    }
    return npos;
}

} // namespace

std::size_t SkipLineBlanks(std::string_view text, std::size_t pos) {
    for (;;) {
        if (pos < text.size() && IsBlank(text[pos])) {
            ++pos;
        } else if (StartsWithByteOrderMark(text.substr(std::min(pos, text.size())))) {
            pos += 3;
        } else {
            return pos;
        }
    }
}

bool BeginsGameHeader(std::string_view text, std::size_t lineStart) {
    return OpensHeader(ClassifyLine(text, lineStart, LineEnd(text, lineStart))) &&
           !InHeader(KindBefore(text, lineStart)) && WalkHeader(text, lineStart, nullptr);
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
    if (line >= text.size()) {
        return npos;
    }
    return FindHeader(text, line, KindBefore(text, line), nullptr);
}

CSegmentScan ScanSegment(std::string_view text, std::size_t start, bool opensGame) {
    const std::size_t end = LineEnd(text, start);
    const ELine first = ClassifyLine(text, start, end);
    CSegmentScan scan;
    bool inHeader = opensGame && InHeader(first);
    scan.damagedHeader = opensGame && first == ELine::kDamaged;
    scan.next = end < text.size()
                    ? FindHeader(text, end + 1, first, inHeader ? &scan.damagedHeader : nullptr)
                    : npos;
    return scan;
}

std::string_view WithoutDamagedHeaderLines(std::string_view text, std::string& copy) {
    for (std::size_t line = 0;; line = LineEnd(text, line) + 1) {
        if (line >= text.size()) {
            return text;
        }
        const std::size_t end = LineEnd(text, line);
        const ELine kind = ClassifyLine(text, line, end);
        if (kind == ELine::kDamaged ||
            SkipMarks(text, line, end, nullptr) != SkipBlanks(text, line, end)) {
            break;
        }
        if (kind != ELine::kTagPairs && kind != ELine::kTransparent) {
            return text;
        }
    }
    copy.assign(text);
    WalkHeader(text, 0, copy.data());
    return copy;
}
