#pragma once

#include <cstddef>
#include <string_view>

// Tag pairs in pre-processed text have the form [Name"value"]: the value runs from the first
// double quote to the next one not escaped by a backslash, and the pair ends at the first ']'
// after the value. A pair without a quote ends at its first ']'.

// The position one past the ']' of the tag pair whose '[' stands at pos, or npos when the pair
// is not closed.
std::size_t ScanTagPair(std::string_view text, std::size_t pos);

// The position of the quote that closes a value starting at `from`, or npos.
std::size_t FindClosingQuote(std::string_view text, std::size_t from);

// The same scan for a whole text, pair after pair in increasing position, in linear total time:
// once a search has found nothing, the answer for every later start is known.
class CTagPairScanner {
public:
    explicit CTagPairScanner(std::string_view text) : text(text) {}

    // As ScanTagPair. Calls must come with increasing pos.
    std::size_t Scan(std::size_t pos);

private:
    std::string_view text;
    std::size_t FindQuoteOrBracket(std::size_t from);
    std::size_t FindValueEnd(std::size_t openQuote);
    std::size_t FindBracket(std::size_t from);

    // Memos of the last search of each kind: its start and its result.
    std::size_t quoteOrBracketFrom = npos, quoteOrBracket = npos;
    std::size_t valueOpen = npos, valueClose = npos;
    std::size_t bracketFrom = npos, bracket = npos;
    static constexpr std::size_t npos = std::string_view::npos;
};
