#pragma once

#include "gametable/GameSearchKeys.h"
#include "openings/ListOpenings.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The terms of a search text: the text folded for search (FoldForSearch), split at spaces.
std::vector<std::string> SearchTerms(std::string_view text);

// True when every game that matches all of `terms` matches all of `previous` too: each previous
// term lies within one of the new ones. A term typed one character further then only needs to
// look at the games the shorter one found.
bool TermsNarrow(const std::vector<std::string>& terms, const std::vector<std::string>& previous);

// The games from `from` on, ascending, whose keys hold every term (all of them for no term).
std::vector<std::uint32_t> MatchGames(const CGameSearchKeys& keys,
                                      const std::vector<std::string>& terms, std::size_t from);
// The same, among the games of `within` (ascending).
std::vector<std::uint32_t> MatchGamesWithin(const CGameSearchKeys& keys,
                                            const std::vector<std::string>& terms,
                                            const std::vector<std::uint32_t>& within);

// The texts of a book's entries folded for search, each followed by '\n': made once per book,
// so that a search looks them up at the cost of one scan.
struct CFoldedOpenings {
    std::shared_ptr<const COpeningBook> book; // null: none
    std::string text;
    std::vector<std::uint32_t> starts; // where each entry's text starts, then the text's size

    CFoldedOpenings() = default;
    explicit CFoldedOpenings(std::shared_ptr<const COpeningBook> book);
};

// The same over the games' keys and their openings (`openings` of the same list, `folded` of
// their book): a term may lie in either. Of the games from `from` on, or of `within` when given.
std::vector<std::uint32_t> MatchGamesAndOpenings(const CGameSearchKeys& keys,
                                                 const std::vector<std::string>& terms,
                                                 const CListOpenings& openings,
                                                 const CFoldedOpenings& folded, std::size_t from,
                                                 const std::vector<std::uint32_t>* within);

// The games of `order` (all games of a list, in some order) that `matches` holds (ascending), in
// the order of `order`.
std::vector<std::uint32_t> RowsInOrder(const std::vector<std::uint32_t>& order,
                                       const std::vector<std::uint32_t>& matches);
