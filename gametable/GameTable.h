#pragma once

#include "gametable/GameFilter.h"
#include "gametable/GameSearchKeys.h"
#include "gametable/GameSortKeys.h"
#include "gametable/GameTableColumn.h"
#include "openings/ExplorerCounts.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The games table: the games of a list snapshot, sorted by a column and filtered by a search
// text, as rows. It copies no tag: cells are read from the snapshot when shown; only the folded
// search keys are its own (CGameSearchKeys). A row shows a game, named by its list index.
//
// The table lives on one thread (the interface thread): every member runs there. A filter or a
// sort of 145,000 games takes well under 100 ms (bench/game_table_bench), so none needs a
// worker; only the search keys of a grown list do (CGameTableFeed).
class CGameTable {
public:
    CGameTable();

    // Follows the list. A list that extends the one shown (a load appended games) adds its new
    // games to the sort and filter in force; any other (the list was emptied) is shown anew
    // under them. `listKeys`, when given, are the search keys of `list`, made on a worker (they
    // take about 90 ms for 145,000 games): CGameSearchKeys(list, table.SearchKeys().get()).
    void SetGames(std::shared_ptr<const CGameListSnapshot> list,
                  std::shared_ptr<const CGameSearchKeys> listKeys = nullptr);
    const std::shared_ptr<const CGameListSnapshot>& Games() const noexcept { return games; }
    const std::shared_ptr<const CGameSearchKeys>& SearchKeys() const noexcept { return keys; }
    // The openings of the games of the list (or of a list it extends): the Opening column's
    // cells, its order, and what a search finds in it. Set before the list they are of.
    void SetOpenings(std::shared_ptr<const CListOpenings> listOpenings);

    std::size_t RowCount() const noexcept { return rows ? rows->size() : games->Size(); }
    std::size_t GameCount() const noexcept { return games->Size(); }
    // What the cell shows, UTF-8; row < RowCount().
    std::string CellText(std::size_t row, EGameColumn column) const;
    // True when the games come from more than one file: the File column is shown then.
    bool FileColumnShown() const noexcept { return filePaths.size() > 1; }
    // "N of M games": the rows shown of the games listed.
    std::string CountText() const;

    // Sorts by `column`; games that tie keep their list order. See CGameSortKeys for the order.
    void SortBy(EGameColumn column, bool descending);
    // A click on a column's header: sorts by it ascending, or the other way when already sorted
    // by it.
    void ToggleSort(EGameColumn column);
    std::optional<EGameColumn> SortColumn() const;
    bool SortDescending() const noexcept { return sortKeys && sortKeys->Descending(); }

    // Shows the games whose White, Black, Event, Site, Date, Round or opening (its ECO code and
    // name) hold every space-separated
    // term of `text`, ignoring case and accents; all games for a text without terms.
    // A text that only adds to the one in force (another character, another term) looks at
    // its matches alone.
    void SetFilter(std::string_view text);

    // The search results: the games the search text lets through, ascending; null while the
    // text holds no term.
    const std::vector<std::uint32_t>* Matches() const noexcept { return matches.get(); }
    // Shows only the games of `visits` (in list order, of this list) besides the search; none
    // shows them all again. A list that changes ends it.
    void SetPositionFilter(std::optional<std::vector<CGameVisit>> visits);
    bool PositionFiltered() const noexcept { return positionGames != nullptr; }
    // The ply at which `game` reaches the position of the filter in force; none without one.
    std::optional<unsigned> PositionPly(std::size_t game) const;

    // The game a row shows; row < RowCount().
    std::size_t GameAt(std::size_t row) const noexcept {
        return rows ? (*rows)[row] : sortKeys ? order[row] : row;
    }
    // The row that shows game `game`; none when the filter hides it or there is no such game.
    std::optional<std::size_t> RowOf(std::size_t game) const;
    // True while a filter or a sort is in force: the table's order is then its own.
    bool OwnOrder() const noexcept { return sortKeys != nullptr || !filterTerms.empty(); }
    // The game `step` places after game `game` (before, for a negative step) of a list of
    // `listed` games: in the table's rows while it has an order of its own, else in the list.
    // From a game the filter hides, the count starts where that game would stand. A table that
    // has not yet followed a load does not hold its games: from those, the list's order holds.
    // None past either end.
    std::optional<std::size_t> NeighbourGame(std::size_t game, int step, std::size_t listed) const;

private:
    // Sorts all games by `sortKeys` (list order without them) and shows the matches in it.
    void Order();
    // Game `game`'s place in the table's order.
    std::uint32_t RankOf(std::size_t game) const noexcept {
        return sortKeys ? rank[game] : static_cast<std::uint32_t>(game);
    }
    // The first row whose game stands at or after `game`'s place in the order (RowCount() for
    // none), and whether that row shows `game` itself; game < GameCount().
    std::size_t RowFrom(std::size_t game, bool& shows) const noexcept;
    // The rows anew: the games of the order that the search and the position filter let pass.
    void ShowRows();
    // The search results among the games from `from` on, or among `within`.
    std::vector<std::uint32_t> Match(const std::vector<std::string>& terms, std::size_t from,
                                     const std::vector<std::uint32_t>* within) const;

    std::shared_ptr<const CGameListSnapshot> games;
    std::shared_ptr<const CGameSearchKeys> keys;
    std::vector<std::string> filePaths; // of the files the games came from, each once

    // A list of millions of games shown unsorted and unfiltered holds no vector of its own: the
    // order, ranks and rows are then the list's order, implied.
    std::unique_ptr<CGameSortKeys> sortKeys; // null while unsorted
    std::vector<std::uint32_t> order;        // all games sorted; empty while unsorted
    std::vector<std::uint32_t> rank;         // each game's place in `order`

    std::vector<std::string> filterTerms;
    std::shared_ptr<const std::vector<std::uint32_t>> matches;       // ascending; null: no filter
    std::shared_ptr<const std::vector<std::uint32_t>> positionGames; // ascending; null: none
    std::vector<CGameVisit> positionVisits;                          // of the same games
    std::shared_ptr<const CListOpenings> openings;
    CFoldedOpenings foldedOpenings; // of the book of `openings`

    // The games shown, in the table's order; null while they are all games, in `order`.
    std::shared_ptr<const std::vector<std::uint32_t>> rows;
};
