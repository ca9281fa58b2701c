#include "pgn/TagPairScanner.h"

namespace {
constexpr std::size_t npos = std::string_view::npos;
}

std::size_t FindClosingQuote(std::string_view text, std::size_t from) {
    for (std::size_t k = from; k < text.size(); ++k) {
        if (text[k] == '\\') {
            ++k;
        } else if (text[k] == '"') {
            return k;
        }
    }
    return npos;
}

std::size_t ScanTagPair(std::string_view text, std::size_t pos) {
    const std::size_t k = text.find_first_of("\"]", pos + 1);
    if (k == npos) {
        return npos;
    }
    if (text[k] == ']') {
        return k + 1;
    }
    const std::size_t close = FindClosingQuote(text, k + 1);
    if (close == npos) {
        return npos;
    }
    const std::size_t bracket = text.find(']', close + 1);
    return bracket == npos ? npos : bracket + 1;
}

// Each memo answers a later search whose start lies within the stretch the earlier one
// covered, so no stretch of text is searched twice.
std::size_t CTagPairScanner::FindQuoteOrBracket(std::size_t from) {
    if (quoteOrBracketFrom == npos || from < quoteOrBracketFrom || from > quoteOrBracket) {
        quoteOrBracketFrom = from;
        quoteOrBracket = text.find_first_of("\"]", from);
    }
    return quoteOrBracket;
}

// A value search that starts after a quote inside the last searched value reads the same
// characters from there on: the earlier search stepped over that quote as an escaped character
// (had it stood alone, it would have closed the value). So it ends where the earlier one did.
std::size_t CTagPairScanner::FindValueEnd(std::size_t openQuote) {
    if (valueOpen == npos || openQuote < valueOpen || openQuote >= valueClose) {
        valueOpen = openQuote;
        valueClose = FindClosingQuote(text, openQuote + 1);
    }
    return valueClose;
}

std::size_t CTagPairScanner::FindBracket(std::size_t from) {
    if (bracketFrom == npos || from < bracketFrom || from > bracket) {
        bracketFrom = from;
        bracket = text.find(']', from);
    }
    return bracket;
}

std::size_t CTagPairScanner::Scan(std::size_t pos) {
    const std::size_t k = FindQuoteOrBracket(pos + 1);
    if (k == npos) {
        return npos;
    }
    if (text[k] == ']') {
        return k + 1;
    }
    const std::size_t close = FindValueEnd(k);
    if (close == npos) {
        return npos;
    }
    const std::size_t end = FindBracket(close + 1);
    return end == npos ? npos : end + 1;
}
