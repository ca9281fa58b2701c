#pragma once

#include "gametable/GameSearchKeys.h"
#include "gametable/GameTableColumn.h"
#include "openings/ListOpenings.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What orders the games of a list by one column, ascending or descending; games that tie keep
// their list order either way.
// - #, Moves: by number. Result: "1-0", "1/2-1/2", "0-1", "*".
// - White, Black, Event, Site, File: by their text folded for search (FoldForSearch), so case
//   and accents do not part "Müller" from "muller".
// - Round: by its leading number, then as text; rounds without a number go after those with.
// - Opening: by ECO code, then name; games without an opening last either way.
// - Date: full dates ("1985.03.14") first, in date order; then partial dates ("1985.03.??",
//   "1985.??.??") in the order of their known parts, an unknown part after every known one
//   ("1985.03.??" before "1985.??.??" before "1986.??.??"); then unknown and unreadable dates
//   ("????.??.??", "", "n/a"). Descending reverses the order within each of these three groups,
//   not the groups: games of unknown date stay last.
// Made and read on one thread.
class CGameSortKeys {
public:
    CGameSortKeys(EGameColumn column, bool descending) : column(column), descending(descending) {}

    // Adds the keys of games Size() .. games.Size() - 1. `keys` are the search keys of the same
    // list; these keys view their texts, and keep them. `openings`, of the same list, order the
    // Opening column.
    void Extend(const CGameListSnapshot& games, std::shared_ptr<const CGameSearchKeys> keys,
                const CListOpenings* openings = nullptr);

    std::size_t Size() const noexcept { return primary.size(); }
    EGameColumn Column() const noexcept { return column; }
    bool Descending() const noexcept { return descending; }

    // True when game a goes before game b (both < Size()).
    bool Before(std::uint32_t a, std::uint32_t b) const noexcept {
        if (primary[a] != primary[b]) {
            return primary[a] < primary[b];
        }
        if (!texts.empty() && texts[a].data() != texts[b].data()) {
            const int c = texts[a].compare(texts[b]);
            if (c != 0) {
                return descending ? c > 0 : c < 0;
            }
        }
        return a < b;
    }

private:
    EGameColumn column;
    bool descending;
    // Decides most comparisons alone; for text columns it holds the text's first eight bytes.
    std::vector<std::uint64_t> primary;
    // Text columns: each game's folded text, compared when the primaries tie.
    std::vector<std::string_view> texts;
    std::shared_ptr<const CGameSearchKeys> searchKeys;
    std::deque<std::string> fileNames; // the folded names the File column's texts view
};

// All games of the list of `keys` in their order, as list indexes.
std::vector<std::uint32_t> SortedOrder(const CGameSortKeys& keys);

// `order`, all games below order.size() sorted by `keys`, with the games from order.size() up to
// keys.Size() merged in.
std::vector<std::uint32_t> MergedOrder(const std::vector<std::uint32_t>& order,
                                       const CGameSortKeys& keys);
