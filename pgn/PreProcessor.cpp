#include "pgn/PreProcessor.h"

#include "pgn/PGNExceptions.h"

#include <array>
#include <cstdint>
#include <cstring>

// The text is rewritten in one left-to-right scan, in place. The scan removes comments,
// variations, rest-of-line comments and escape lines, turns TAB and LF into spaces, drops CR and
// '#', and marks tag-value contents "protected". Each character it keeps goes through a chain of
// streaming stages that remove glyphs, collapse spaces, trim spaces after '[' and remove Black's
// move numbers. Every stage reads only what the stage before has produced so far (the space
// stage holds back one space), so the chain gives the same text as running each stage over the
// whole text in turn. No stage changes, removes or reacts to a protected character.
namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters the scan reacts to.
constexpr std::array<bool, 256> MakeScanSpecial() {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\t', '\n', '\r', '#', '[', ']', '{', '(', ';', '"', '%'}) {
        t[c] = true;
    }
    return t;
}
constexpr std::array<bool, 256> kScanSpecial = MakeScanSpecial();

// Characters that neither the scan nor any stage reacts to.
constexpr std::array<bool, 256> MakePlain() {
    std::array<bool, 256> t = MakeScanSpecial();
    for (unsigned char c : {' ', '$', '.'}) {
        t[c] = true;
    }
    for (bool& special : t) {
        special = !special;
    }
    return t;
}
constexpr std::array<bool, 256> kPlain = MakePlain();

// How CStages::RunFast takes a character.
constexpr std::uint8_t kOther = 0;
constexpr std::uint8_t kPlainKind = 1;
constexpr std::uint8_t kSpaceKind = 2;
constexpr std::uint8_t kPeriodKind = 3;
constexpr std::array<std::uint8_t, 256> MakeFastKinds() {
    std::array<std::uint8_t, 256> t{};
    for (std::size_t c = 0; c < t.size(); ++c) {
        t[c] = kPlain[c] ? kPlainKind : kOther;
    }
    t[' '] = kSpaceKind;
    t['\n'] = kSpaceKind;
    t['.'] = kPeriodKind;
    return t;
}
constexpr std::array<std::uint8_t, 256> kFastKind = MakeFastKinds();

[[noreturn]] void Fail(const char* text) {
    throw CPGNReaderException(text);
}

// The stages after the scan. Output goes to the text at w, which never passes the scan's read
// position. Only the latest protected run of the output is remembered: the stages look back
// only as far as it.
class CStages {
public:
    CStages(char* out, std::vector<CBracketOrigin>* origins) : s(out), origins(origins) {}

    // The input position of the next character handed in, recorded for brackets.
    void SetInputPosition(std::size_t r) { inputPosition = r; }

    // True while no glyph is being removed, no move number's periods are being skipped and no
    // error is pending: the state in which TakesFast characters take the short way.
    bool Simple() const { return !inGlyph && !skipPeriods && !failed; }
    // Runs the bulk of a movetext, from in[r] up to n: plain characters, spaces and line ends
    // (held back as one space), and periods that cannot complete three in a row, all as Put(c,
    // false) would handle them in the simple state. Returns where it stopped. The state lives
    // in locals here: the output's writes could otherwise alias it.
    std::size_t RunFast(const char* in, std::size_t r, std::size_t n, bool& lineStart) {
        std::size_t out = w;
        bool space = pending;
        bool bracket = afterBracket;
        for (; r < n; ++r) {
            const char c = in[r];
            const std::uint8_t kind = kFastKind[static_cast<unsigned char>(c)];
            if (kind == kSpaceKind) {
                space = true;
                lineStart = c == '\n';
                continue;
            }
            if (kind == kOther || (kind == kPeriodKind && out > 0 && s[out - 1] == '.' && !space)) {
                break;
            }
            if (space) {
                space = false;
                if (!bracket) {
                    s[out++] = ' ';
                }
            }
            s[out++] = c;
            bracket = false;
            lineStart = false;
        }
        w = out;
        pending = space;
        afterBracket = bracket;
        return r;
    }

    // Glyphs: '$' and what follows it up to a space or a protected character.
    void Put(char c, bool prot) {
        if (inGlyph) {
            if (c != ' ' && !prot) {
                return;
            }
            inGlyph = false;
        }
        if (c == '$' && !prot) {
            inGlyph = true;
            return;
        }
        PutAfterGlyphs(c, prot);
    }

    void Finish() {
        if (pending) {
            pending = false;
            PutAfterSpaces(' ', false);
        }
        if (failed) {
            Fail("CPGNReader::PreProcessData(): Syntax error in PGN file! Detected '<A-z "
                 "letter>...'!");
        }
    }

    std::size_t Size() const { return w; }

private:
    // Spaces: a space is held back until the next character shows whether it stays: it goes
    // before another space, '[', ']' or '"'.
    void PutAfterGlyphs(char c, bool prot) {
        if (c == ' ' && !prot) {
            pending = true;
            return;
        }
        if (pending) {
            pending = false;
            if (c != ' ' && c != '[' && c != ']' && c != '"') {
                PutAfterSpaces(' ', false);
            }
        }
        PutAfterSpaces(c, prot);
    }

    // No space directly after an opening bracket.
    void PutAfterSpaces(char c, bool prot) {
        if (c == ' ' && !prot && afterBracket) {
            return;
        }
        afterBracket = c == '[' && !prot;
        PutAfterBrackets(c, prot);
    }

    // Black's move numbers: digits, three or more periods and one space after them. The output
    // never holds three unprotected periods in a row, so a new run can only form at its end.
    // A bad run is reported only when the scan is over, so that the scan's own errors, which
    // concern an earlier stage, take precedence.
    void PutAfterBrackets(char c, bool prot) {
        if (failed) {
            return;
        }
        if (skipPeriods) {
            if (c == '.' && !prot) {
                return;
            }
            skipPeriods = false;
            if (c == ' ' && !prot) {
                return;
            }
        }
        if (prot) {
            if (protEnd != w) {
                protBegin = w;
            }
            protEnd = w + 1;
        } else if (c == '[' && origins != nullptr) {
            origins->push_back({w, inputPosition});
        }
        s[w++] = c;
        if (c != '.' || prot || w < 3 || !IsPeriod(w - 2) || !IsPeriod(w - 3)) {
            return;
        }
        const std::size_t p = w - 3;
        if (p == 0 || !IsDigit(s[p - 1]) || Protected(p - 1)) {
            failed = true;
            return;
        }
        w = p;
        while (w > 0 && IsDigit(s[w - 1]) && !Protected(w - 1)) {
            --w;
        }
        skipPeriods = true;
    }

    bool Protected(std::size_t pos) const { return pos >= protBegin && pos < protEnd; }
    bool IsPeriod(std::size_t pos) const { return s[pos] == '.' && !Protected(pos); }

    char* s;
    std::vector<CBracketOrigin>* origins;
    std::size_t inputPosition = 0;
    std::size_t w = 0;
    std::size_t protBegin = 0;
    std::size_t protEnd = 0;
    bool inGlyph = false;
    bool pending = false;
    bool afterBracket = false;
    bool skipPeriods = false;
    bool failed = false;
};

} // namespace

void PreProcessPgnText(std::string& text) {
    text.resize(PreProcessPgnText(text.data(), text.size()));
}

std::size_t PreProcessPgnText(char* text, std::size_t n) {
    return PreProcessPgnText(text, n, text, nullptr);
}

// The output never runs ahead of the scan, so it may overwrite the input it has read.
std::size_t PreProcessPgnText(const char* s, std::size_t n, char* outText,
                              std::vector<CBracketOrigin>* origins) {
    CStages out(outText, origins);
    std::size_t r = 0;
    int depth = 0;
    bool lineStart = true;
    while (r < n) {
        const char c = s[r];
        if (out.Simple()) {
            const std::size_t stop = out.RunFast(s, r, n, lineStart);
            if (stop != r) {
                r = stop;
                continue;
            }
        }
        if (!kScanSpecial[static_cast<unsigned char>(c)]) {
            out.Put(c, false);
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
            out.Put(' ', false);
            ++r;
            break;
        case '\n':
            out.Put(' ', false);
            ++r;
            lineStart = true;
            break;
        case '\r':
        case '#':
            ++r;
            break;
        case '[':
        case ']':
            depth += c == '[' ? 1 : -1;
            out.SetInputPosition(r);
            out.Put(c, false);
            ++r;
            break;
        case '{': {
            const void* close = std::memchr(s + r + 1, '}', n - r - 1);
            if (!close) {
                Fail("CPGNReader::PreProcessData(): End of comment ('}') not found!");
            }
            r = static_cast<std::size_t>(static_cast<const char*>(close) - s) + 1;
            out.Put(' ', false);
            out.Put(' ', false);
            break;
        }
        case '(': {
            if (depth != 0) {
                out.Put(c, false);
                ++r;
                break;
            }
            // A comment inside the variation runs to its '}': its brackets do not count.
            int level = 1;
            std::size_t k = r + 1;
            for (; k < n; ++k) {
                if (s[k] == '(') {
                    ++level;
                } else if (s[k] == ')' && --level == 0) {
                    break;
                } else if (s[k] == '{') {
                    const void* close = std::memchr(s + k + 1, '}', n - k - 1);
                    if (close == nullptr) {
                        k = n;
                        break;
                    }
                    k = static_cast<std::size_t>(static_cast<const char*>(close) - s);
                }
            }
            if (k >= n) {
                Fail("CPGNReader::PreProcessData(): ')' not found!");
            }
            r = k + 1;
            out.Put(' ', false);
            out.Put(' ', false);
            break;
        }
        case '"': {
            out.Put(c, false);
            ++r;
            if (depth <= 0) {
                break;
            }
            // A tag value: up to the closing quote that is not escaped, or the end of the line.
            while (r < n) {
                const char v = s[r];
                if (v == '\\' && r + 1 < n && s[r + 1] != '\r' && s[r + 1] != '\n') {
                    out.Put(v, true);
                    out.Put(s[r + 1], true);
                    r += 2;
                } else if (v == '"' || v == '\r' || v == '\n') {
                    break;
                } else {
                    out.Put(v, true);
                    ++r;
                }
            }
            if (r < n && s[r] == '"') {
                out.Put('"', false);
                ++r;
            }
            break;
        }
        default: // '%' not at the start of a line
            out.Put(c, false);
            ++r;
            break;
        }
    }
    out.Finish();
    return out.Size();
}
