#include "pgn/PreProcessor.h"

#include "pgn/PGNExceptions.h"

#include <array>
#include <cstring>
#include <vector>

// The text is rewritten in place by five sweeps, each linear: a sweep reads at r and writes at
// w <= r. Tag-value contents are "protected": no sweep changes, deletes or reacts to them. They
// are tracked as a sorted list of [begin, end) ranges that each sweep maps to its output.
namespace {

struct Range {
    std::size_t begin;
    std::size_t end;
};
using Ranges = std::vector<Range>;

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where one sweep reads and writes, and how protection maps from its input to its output.
class Sweep {
public:
    Sweep(std::string& text, const Ranges& in) : s(text.data()), n(text.size()), in(in) {
        out.reserve(in.size());
    }

    // End of the unprotected stretch that starts at r (the next protected begin, or n).
    std::size_t UnprotectedLimit() const { return k < in.size() ? in[k].begin : n; }
    bool AtProtected() const { return k < in.size() && r == in[k].begin; }

    // Copies the protected range at r to the output; returns its first output position.
    std::size_t CopyProtected() {
        const std::size_t first = w;
        out.push_back({w, w + (in[k].end - in[k].begin)});
        CopyRun(in[k].end);
        ++k;
        return first;
    }

    // Runs are mostly single tokens: a forward byte copy (safe, as w <= r) beats a library
    // call for them; long runs go through memmove.
    void CopyRun(std::size_t to) {
        if (w == r) {
            w = r = to;
        } else if (to - r < 64) {
            while (r < to) {
                s[w++] = s[r++];
            }
        } else {
            std::memmove(s + w, s + r, to - r);
            w += to - r;
            r = to;
        }
    }

    bool OutputProtected(std::size_t pos) const {
        return !out.empty() && pos >= out.back().begin && pos < out.back().end;
    }

    void Finish(std::string& text, Ranges& ranges) {
        text.resize(w);
        ranges = std::move(out);
    }

    char* s;
    std::size_t n;
    std::size_t r = 0;
    std::size_t w = 0;

private:
    const Ranges& in;
    std::size_t k = 0;
    Ranges out;
};

[[noreturn]] void Fail(const char* text) {
    throw CPGNReaderException(text);
}

// Characters the first sweep reacts to; all others are copied as they are.
constexpr std::array<bool, 256> MakeSpecial() {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\t', '\n', '\r', '#', '[', ']', '{', '(', ';', '"', '%'}) {
        t[c] = true;
    }
    return t;
}
constexpr std::array<bool, 256> kSpecial = MakeSpecial();

// Comments, variations, rest-of-line comments and escape lines go; TAB and LF become spaces;
// CR and '#' go; tag values (a double quote inside brackets up to the closing unescaped quote or
// the end of the line) are copied and marked protected.
void RemoveCommentsAndLineBreaks(std::string& text, Ranges& protectedRanges) {
    char* s = text.data();
    const std::size_t n = text.size();
    std::size_t r = 0;
    std::size_t w = 0;
    int depth = 0;
    bool lineStart = true;
    while (r < n) {
        const char c = s[r];
        if (!kSpecial[static_cast<unsigned char>(c)]) {
            s[w++] = c;
            ++r;
            lineStart = false;
            continue;
        }
        if (c == ';' || (c == '%' && lineStart)) {
            const void* lf = std::memchr(s + r, '\n', n - r);
            r = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - s) : n;
            continue;
        }
        lineStart = false;
        switch (c) {
        case '\t':
            s[w++] = ' ';
            ++r;
            break;
        case '\n':
            s[w++] = ' ';
            ++r;
            lineStart = true;
            break;
        case '\r':
        case '#':
            ++r;
            break;
        case '[':
            ++depth;
            s[w++] = c;
            ++r;
            break;
        case ']':
            --depth;
            s[w++] = c;
            ++r;
            break;
        case '{': {
            const void* close = std::memchr(s + r + 1, '}', n - r - 1);
            if (!close) {
                Fail("CPGNReader::PreProcessData(): End of comment ('}') not found!");
            }
            r = static_cast<std::size_t>(static_cast<const char*>(close) - s) + 1;
            s[w++] = ' ';
            s[w++] = ' ';
            break;
        }
        case '(': {
            if (depth != 0) {
                s[w++] = c;
                ++r;
                break;
            }
            int level = 1;
            std::size_t k = r + 1;
            for (; k < n; ++k) {
                if (s[k] == '(') {
                    ++level;
                } else if (s[k] == ')' && --level == 0) {
                    break;
                }
            }
            if (k >= n) {
                Fail("CPGNReader::PreProcessData(): ')' not found!");
            }
            r = k + 1;
            s[w++] = ' ';
            s[w++] = ' ';
            break;
        }
        case '"': {
            s[w++] = c;
            ++r;
            if (depth <= 0) {
                break;
            }
            const std::size_t begin = w;
            while (r < n) {
                const char v = s[r];
                if (v == '\\' && r + 1 < n && s[r + 1] != '\r' && s[r + 1] != '\n') {
                    s[w++] = v;
                    s[w++] = s[r + 1];
                    r += 2;
                } else if (v == '"' || v == '\r' || v == '\n') {
                    break;
                } else {
                    s[w++] = v;
                    ++r;
                }
            }
            if (w > begin) {
                protectedRanges.push_back({begin, w});
            }
            if (r < n && s[r] == '"') {
                s[w++] = '"';
                ++r;
            }
            break;
        }
        default: // '%' not at the start of a line
            s[w++] = c;
            ++r;
            break;
        }
    }
    text.resize(w);
}

// Numeric annotation glyphs: '$' and what follows it up to a space or a tag value.
void RemoveGlyphs(std::string& text, Ranges& ranges) {
    if (text.find('$') == std::string::npos) {
        return;
    }
    Sweep sw(text, ranges);
    while (sw.r < sw.n) {
        if (sw.AtProtected()) {
            sw.CopyProtected();
            continue;
        }
        const std::size_t limit = sw.UnprotectedLimit();
        const void* dollar = std::memchr(sw.s + sw.r, '$', limit - sw.r);
        if (!dollar) {
            sw.CopyRun(limit);
            continue;
        }
        sw.CopyRun(static_cast<std::size_t>(static_cast<const char*>(dollar) - sw.s));
        ++sw.r;
        while (sw.r < limit && sw.s[sw.r] != ' ') {
            ++sw.r;
        }
    }
    sw.Finish(text, ranges);
}

// Every run of spaces becomes one space, and no space stays before '[', ']' or '"'. A space is
// held back until the character after it shows whether it stays.
void CollapseSpaces(std::string& text, Ranges& ranges) {
    Sweep sw(text, ranges);
    bool pending = false;
    auto resolvePending = [&](char next) {
        if (pending && next != ' ' && next != '[' && next != ']' && next != '"') {
            sw.s[sw.w++] = ' ';
        }
        pending = false;
    };
    while (sw.r < sw.n) {
        if (sw.AtProtected()) {
            resolvePending(sw.s[sw.r]);
            sw.CopyProtected();
            continue;
        }
        const std::size_t limit = sw.UnprotectedLimit();
        while (sw.r < limit) {
            const char c = sw.s[sw.r];
            if (c == ' ') {
                pending = true;
                ++sw.r;
                continue;
            }
            resolvePending(c);
            // Tokens are short: a plain loop beats a library search here.
            std::size_t end = sw.r + 1;
            while (end < limit && sw.s[end] != ' ') {
                ++end;
            }
            sw.CopyRun(end);
        }
    }
    if (pending) {
        sw.s[sw.w++] = ' ';
    }
    sw.Finish(text, ranges);
}

// No space directly after an opening bracket.
void TrimAfterOpeningBrackets(std::string& text, Ranges& ranges) {
    if (text.find("[ ") == std::string::npos) {
        return;
    }
    Sweep sw(text, ranges);
    bool afterBracket = false;
    while (sw.r < sw.n) {
        if (sw.AtProtected()) {
            sw.CopyProtected();
            afterBracket = false;
            continue;
        }
        const std::size_t limit = sw.UnprotectedLimit();
        while (sw.r < limit) {
            const char c = sw.s[sw.r];
            if (c == ' ' && afterBracket) {
                ++sw.r;
                continue;
            }
            afterBracket = c == '[';
            sw.s[sw.w++] = c;
            ++sw.r;
        }
    }
    sw.Finish(text, ranges);
}

// Black's move-number indications: digits, three or more periods and the space after them. The
// output never holds three unprotected periods in a row, so a new run can only form at its end.
void RemoveBlackMoveNumbers(std::string& text, Ranges& ranges) {
    if (text.find("...") == std::string::npos) {
        return;
    }
    Sweep sw(text, ranges);
    auto unprotectedAt = [&](std::size_t pos, char c) {
        return sw.s[pos] == c && !sw.OutputProtected(pos);
    };
    while (sw.r < sw.n) {
        if (sw.AtProtected()) {
            sw.CopyProtected();
            continue;
        }
        const std::size_t limit = sw.UnprotectedLimit();
        while (sw.r < limit) {
            std::size_t period = sw.r;
            while (period < limit && sw.s[period] != '.') {
                ++period;
            }
            if (period == limit) {
                sw.CopyRun(limit);
                break;
            }
            sw.CopyRun(period + 1);
            const std::size_t w = sw.w;
            if (w < 3 || !unprotectedAt(w - 2, '.') || !unprotectedAt(w - 3, '.')) {
                continue;
            }
            const std::size_t p = w - 3;
            if (p == 0 || !IsDigit(sw.s[p - 1]) || sw.OutputProtected(p - 1)) {
                Fail("CPGNReader::PreProcessData(): Syntax error in PGN file! Detected '<A-z "
                     "letter>...'!");
            }
            sw.w = p;
            while (sw.w > 0 && IsDigit(sw.s[sw.w - 1]) && !sw.OutputProtected(sw.w - 1)) {
                --sw.w;
            }
            while (sw.r < limit && sw.s[sw.r] == '.') {
                ++sw.r;
            }
            if (sw.r < limit && sw.s[sw.r] == ' ') {
                ++sw.r;
            }
        }
    }
    sw.Finish(text, ranges);
}

} // namespace

void PreProcessPgnText(std::string& text) {
    Ranges protectedRanges;
    RemoveCommentsAndLineBreaks(text, protectedRanges);
    RemoveGlyphs(text, protectedRanges);
    CollapseSpaces(text, protectedRanges);
    TrimAfterOpeningBrackets(text, protectedRanges);
    RemoveBlackMoveNumbers(text, protectedRanges);
}
