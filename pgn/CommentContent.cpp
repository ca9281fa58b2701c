#include "pgn/CommentContent.h"

#include <algorithm>

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Consumes a run of digits from the front of `s`; returns how many there were.
std::size_t TakeDigits(std::string_view& s) {
    std::size_t n = 0;
    while (n < s.size() && IsDigit(s[n])) {
        ++n;
    }
    s.remove_prefix(n);
    return n;
}

bool TakeChar(std::string_view& s, char c) {
    if (s.empty() || s.front() != c) {
        return false;
    }
    s.remove_prefix(1);
    return true;
}

// h:mm:ss with any number of hour digits, then an optional fraction of a second.
bool IsClock(std::string_view s) {
    if (TakeDigits(s) == 0 || !TakeChar(s, ':') || TakeDigits(s) != 2 || !TakeChar(s, ':') ||
        TakeDigits(s) != 2) {
        return false;
    }
    return s.empty() || (TakeChar(s, '.') && TakeDigits(s) > 0 && s.empty());
}

// Pawns with an optional sign and fraction ("+0.35", "-2"), or a mate distance ("#3", "#-3").
bool IsEval(std::string_view s) {
    const bool mate = TakeChar(s, '#');
    if (!TakeChar(s, '+')) {
        TakeChar(s, '-');
    }
    if (TakeDigits(s) == 0) {
        return false;
    }
    return s.empty() || (!mate && TakeChar(s, '.') && TakeDigits(s) > 0 && s.empty());
}

// Keeps the values of the commands it knows; the others only disappear.
void ReadCommand(std::string_view body, CCommentContent& content) {
    body = Trim(body);
    std::size_t nameEnd = 0;
    while (nameEnd < body.size() && !IsSpace(body[nameEnd])) {
        ++nameEnd;
    }
    const std::string_view name = body.substr(0, nameEnd);
    std::string_view value = Trim(body.substr(nameEnd));
    if (name == "clk" && IsClock(value)) {
        content.clock.assign(value);
    } else if (name == "eval") {
        // A search depth may follow the value: "[%eval 0.25,18]".
        value = Trim(value.substr(0, value.find(',')));
        if (IsEval(value)) {
            content.eval.assign(value);
        }
    }
}

} // namespace

CCommentContent ReadCommentContent(std::string_view comment, std::size_t keep) {
    CCommentContent content;
    std::string& text = content.text;
    text.reserve(std::min(comment.size(), keep));
    bool space = false;   // a separator is due before the next character of text
    bool closable = true; // false once a search for ']' has failed: none can succeed later
    std::size_t i = 0;
    while (i < comment.size()) {
        const char c = comment[i];
        if (c == '[' && closable && i + 1 < comment.size() && comment[i + 1] == '%') {
            const std::size_t close = comment.find(']', i + 2);
            if (close == npos) {
                closable = false;
            } else {
                ReadCommand(comment.substr(i + 2, close - i - 2), content);
                space = true;
                i = close + 1;
                continue;
            }
        }
        if (IsSpace(c)) {
            space = true;
        } else if (text.size() >= keep) {
            content.more += (space ? 1 : 0) + ((static_cast<unsigned char>(c) & 0xC0) != 0x80);
            space = false;
        } else {
            if (space && !text.empty()) {
                text += ' ';
            }
            space = false;
            text += c;
        }
        ++i;
    }
    return content;
}
