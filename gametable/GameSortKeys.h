#pragma once

#include "gametable/GameSearchKeys.h"
#include "gametable/GameTableColumn.h"
#include "openings/ListOpenings.h"

#include <cstddef>
#include <cstdint>
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
// - Date: full dates ("1985.03.14") first, in date order; then partial dates ("1985.03.??",
//   "1985.??.??") in the order of their known parts, an unknown part after every known one
//   ("1985.03.??" before "1985.??.??" before "1986.??.??"); then unknown and unreadable dates
//   ("????.??.??", "", "n/a"). Descending reverses the order within each of these three groups,
//   not the groups: games of unknown date stay last.
// - Opening: by ECO code, then name; games without an opening last either way.
// Each game's place is one number (a text's rank among the column's distinct texts), so that a
// sort is a radix sort of numbers. Made and read on one thread.
class CGameSortKeys {
public:
    // `reuse`: a buffer whose room the keys take over (a former sort's), so that a click on a
    // list of millions of games maps no fresh memory.
    CGameSortKeys(EGameColumn column, bool descending, std::vector<std::uint32_t> reuse = {})
        : column(column), descending(descending), primary(std::move(reuse)) {
        primary.clear();
    }

    // Adds the keys of games Size() .. games.Size() - 1 (for a text column, ranks all games
    // again). `keys` are the search keys of the same list; `openings`, of the same list, order
    // the Opening column.
    void Extend(const CGameListSnapshot& games, const CGameSearchKeys& keys,
                const CListOpenings* openings = nullptr);

    std::size_t Size() const noexcept { return primary.size(); }
    EGameColumn Column() const noexcept { return column; }
    bool Descending() const noexcept { return descending; }
    const std::vector<std::uint32_t>& Keys() const noexcept { return primary; }
    // Hands the keys' buffer over to the next sort's.
    std::vector<std::uint32_t> TakeBuffer() noexcept { return std::move(primary); }

    // True when game a goes before game b (both < Size()).
    bool Before(std::uint32_t a, std::uint32_t b) const noexcept {
        return primary[a] != primary[b] ? primary[a] < primary[b] : a < b;
    }

private:
    // Ranks the texts of a text column: the key of each game, ascending.
    void RankTexts(const CGameListSnapshot& games, const CGameSearchKeys& keys);

    EGameColumn column;
    bool descending;
    std::vector<std::uint32_t> primary; // each game's key, descending already folded in
};

// The indexes of `keys` in the order of (key, index), into `order` (its room is reused): a
// stable radix sort, linear in the keys.
void RadixOrder(const std::vector<std::uint32_t>& keys, std::vector<std::uint32_t>& order);

// All games of the list of `keys` in their order, as list indexes, into `order` (its room is
// reused): a radix sort, linear in the games.
void SortedOrder(const CGameSortKeys& keys, std::vector<std::uint32_t>& order);
std::vector<std::uint32_t> SortedOrder(const CGameSortKeys& keys);
