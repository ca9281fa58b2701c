#include "pgn/GameTextLexer.h"

#include "common/TextDecoding.h"
#include "pgn/PGNExceptions.h"
#include "pgn/TagPairScanner.h"

#include <algorithm>

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kQuotedBytes = 32;

constexpr bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// White space, and the characters that begin a token of their own.
constexpr bool EndsWord(char c) {
    switch (c) {
    case '{':
    case '}':
    case '(':
    case ')':
    case ';':
    case '[':
    case '$':
        return true;
    default:
        return IsSpace(c);
    }
}

} // namespace

std::string QuoteToken(std::string_view token) {
    std::size_t length = token.size();
    if (length > kQuotedBytes) {
        length = kQuotedBytes;
        // Back off UTF-8 continuation bytes so that no sequence is cut in two.
        while (length > 0 && (static_cast<unsigned char>(token[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::string quoted = "\"";
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        quoted += c < 0x20 || c == 0x7F ? ' ' : token[i];
    }
    if (length < token.size()) {
        quoted += "...";
    }
    quoted += '"';
    return quoted;
}

void CGameTextLexer::SkipSpace() {
    while (pos < text.size()) {
        const char c = text[pos];
        if (StartsWithByteOrderMark(text.substr(pos))) {
            pos += 3;
        } else if (c == '%' && lineStart) {
            const std::size_t end = text.find('\n', pos);
            pos = end == npos ? text.size() : end;
            lineStart = false;
        } else if (IsSpace(c)) {
            lineStart = c == '\n';
            ++pos;
        } else {
            return;
        }
    }
}

CGameToken CGameTextLexer::TagPair() {
    const std::size_t start = pos;
    auto fail = [&] {
        throw CPGNReaderException("CAnnotationReader::Read(): Tag pair " +
                                  QuoteToken(text.substr(start)) + " is not valid!");
    };
    auto skipSpace = [&](std::size_t p) {
        while (p < text.size() && IsSpace(text[p])) {
            ++p;
        }
        return p;
    };
    std::size_t p = skipSpace(start + 1);
    const std::size_t nameStart = p;
    while (p < text.size() && !IsSpace(text[p]) && text[p] != '"' && text[p] != '[' &&
           text[p] != ']') {
        ++p;
    }
    CGameToken token{EGameToken::TagPair, {}, text.substr(nameStart, p - nameStart), {}};
    p = skipSpace(p);
    if (p >= text.size() || text[p] != '"') {
        fail();
    }
    const std::size_t close = FindClosingQuote(text, p + 1);
    if (close == npos) {
        fail();
    }
    token.inner = text.substr(p + 1, close - p - 1);
    p = skipSpace(close + 1);
    if (p >= text.size() || text[p] != ']') {
        fail();
    }
    pos = p + 1;
    token.text = text.substr(start, pos - start);
    return token;
}

CGameToken CGameTextLexer::Next() {
    SkipSpace();
    if (pos >= text.size()) {
        return {};
    }
    lineStart = false;
    const std::size_t start = pos;
    CGameToken token;
    switch (text[pos]) {
    case '[':
        return TagPair();
    case '{': {
        const std::size_t close = text.find('}', pos + 1);
        if (close == npos) {
            throw CPGNReaderException("CAnnotationReader::Read(): Comment " +
                                      QuoteToken(text.substr(pos)) + " is not closed!");
        }
        token.kind = EGameToken::Comment;
        token.inner = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        break;
    }
    case ';': {
        // The line end stays, so that an escape line may follow.
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        token.kind = EGameToken::Comment;
        token.inner = text.substr(pos + 1, end - pos - 1);
        pos = end;
        break;
    }
    case '(':
        token.kind = EGameToken::VariationStart;
        ++pos;
        break;
    case ')':
        token.kind = EGameToken::VariationEnd;
        ++pos;
        break;
    case '}':
        token.kind = EGameToken::Word;
        ++pos;
        break;
    default:
        token.kind = text[pos] == '$' ? EGameToken::Glyph : EGameToken::Word;
        ++pos;
        while (pos < text.size() && !EndsWord(text[pos])) {
            ++pos;
        }
        if (token.kind == EGameToken::Glyph) {
            token.inner = text.substr(start + 1, pos - start - 1);
        }
        break;
    }
    token.text = text.substr(start, pos - start);
    return token;
}
