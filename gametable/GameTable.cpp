#include "gametable/GameTable.h"

#include <algorithm>
#include <iterator>
#include <numeric>

CGameTable::CGameTable()
    : games(std::make_shared<const CGameListSnapshot>()),
      keys(std::make_shared<const CGameSearchKeys>()),
      openings(std::make_shared<const CListOpenings>()) {
}

void CGameTable::SetOpenings(std::shared_ptr<const CListOpenings> listOpenings) {
    openings = std::move(listOpenings);
    if (foldedOpenings.book != openings->Book()) {
        foldedOpenings = CFoldedOpenings(openings->Book());
    }
}

void CGameTable::SetGames(std::shared_ptr<const CGameListSnapshot> list,
                          std::shared_ptr<const CGameSearchKeys> listKeys) {
    const bool renewed = !ListExtends(*list, *games);
    if (renewed) {
        games = std::make_shared<const CGameListSnapshot>();
        keys = std::make_shared<const CGameSearchKeys>();
        filePaths.clear();
        if (sortKeys) {
            sortKeys = std::make_unique<CGameSortKeys>(sortKeys->Column(), sortKeys->Descending(),
                                                       sortKeys->TakeBuffer());
        }
        if (matches) {
            matches = std::make_shared<const std::vector<std::uint32_t>>();
        }
    }
    const std::size_t from = games->Size();
    SetPositionFilter(std::nullopt); // of the list that was
    games = std::move(list);
    if (games->Size() == from && !renewed) {
        return;
    }
    keys = listKeys && listKeys->List() == games
               ? std::move(listKeys)
               : std::make_shared<const CGameSearchKeys>(games, keys.get());
    for (std::size_t game = from; game < games->Size();) {
        std::size_t first = 0;
        const CGameBatch& batch = games->BatchOf(game, first);
        // Each entry of an archive counts as a file of its own.
        const std::string path = batch.File()->path + '\n' + batch.File()->entry;
        if (std::find(filePaths.begin(), filePaths.end(), path) == filePaths.end()) {
            filePaths.push_back(path);
        }
        game = first + batch.Size();
    }
    if (matches) {
        std::vector<std::uint32_t> more = *matches;
        const std::vector<std::uint32_t> added = Match(filterTerms, from, nullptr);
        more.insert(more.end(), added.begin(), added.end());
        matches = std::make_shared<const std::vector<std::uint32_t>>(std::move(more));
    }
    if (sortKeys) {
        sortKeys->Extend(*games, *keys, openings.get());
    }
    Order();
}

std::string CGameTable::CellText(std::size_t row, EGameColumn column) const {
    if (column == kColumnOpening) {
        return openings->Text(GameAt(row));
    }
    return GameCellText(*games, GameAt(row), column);
}

std::string CGameTable::CountText() const {
    if (RowCount() == 0 && GameCount() > 0) {
        return "No games match";
    }
    return std::to_string(RowCount()) + " of " + std::to_string(GameCount()) + " games";
}

void CGameTable::SortBy(EGameColumn column, bool descending) {
    sortKeys = std::make_unique<CGameSortKeys>(
        column, descending, sortKeys ? sortKeys->TakeBuffer() : std::vector<std::uint32_t>());
    sortKeys->Extend(*games, *keys, openings.get());
    Order();
}

void CGameTable::ToggleSort(EGameColumn column) {
    SortBy(column, SortColumn() == column && !SortDescending());
}

std::optional<EGameColumn> CGameTable::SortColumn() const {
    if (!sortKeys) {
        return std::nullopt;
    }
    return sortKeys->Column();
}

// The order and ranks keep their room from sort to sort: a click maps no fresh memory.
void CGameTable::Order() {
    if (sortKeys) {
        SortedOrder(*sortKeys, order);
        rank.resize(order.size());
        for (std::size_t place = 0; place < order.size(); ++place) {
            rank[order[place]] = static_cast<std::uint32_t>(place);
        }
    } else {
        order = {};
        rank = {};
    }
    ShowRows();
}

// Search results are ascending: in list order they are the rows as they stand.
void CGameTable::ShowRows() {
    std::shared_ptr<const std::vector<std::uint32_t>> shown = matches;
    if (positionGames != nullptr) {
        if (matches == nullptr) {
            shown = positionGames;
        } else {
            auto both = std::make_shared<std::vector<std::uint32_t>>();
            std::set_intersection(matches->begin(), matches->end(), positionGames->begin(),
                                  positionGames->end(), std::back_inserter(*both));
            shown = std::move(both);
        }
    }
    if (shown == nullptr || shown->size() == games->Size()) {
        rows = nullptr;
    } else if (!sortKeys) {
        rows = std::move(shown);
    } else {
        rows = std::make_shared<const std::vector<std::uint32_t>>(RowsInOrder(order, *shown));
    }
}

void CGameTable::SetPositionFilter(std::optional<std::vector<CGameVisit>> visits) {
    positionGames = nullptr;
    positionVisits.clear();
    if (visits) {
        positionVisits = std::move(*visits);
        std::vector<std::uint32_t> shown(positionVisits.size());
        std::transform(positionVisits.begin(), positionVisits.end(), shown.begin(),
                       [](const CGameVisit& visit) { return visit.game; });
        positionGames = std::make_shared<const std::vector<std::uint32_t>>(std::move(shown));
    }
    ShowRows();
}

std::optional<unsigned> CGameTable::PositionPly(std::size_t game) const {
    const auto at =
        std::lower_bound(positionVisits.begin(), positionVisits.end(), game,
                         [](const CGameVisit& visit, std::size_t g) { return visit.game < g; });
    if (positionGames == nullptr || at == positionVisits.end() || at->game != game) {
        return std::nullopt;
    }
    return at->ply;
}

std::vector<std::uint32_t> CGameTable::Match(const std::vector<std::string>& terms,
                                             std::size_t from,
                                             const std::vector<std::uint32_t>* within) const {
    return MatchGamesAndOpenings(*keys, terms, *openings, foldedOpenings, from, within);
}

void CGameTable::SetFilter(std::string_view text) {
    std::vector<std::string> terms = SearchTerms(text);
    if (terms.empty()) {
        matches = nullptr;
    } else {
        matches = std::make_shared<const std::vector<std::uint32_t>>(
            Match(terms, 0, matches && TermsNarrow(terms, filterTerms) ? matches.get() : nullptr));
    }
    filterTerms = std::move(terms);
    ShowRows();
}

std::size_t CGameTable::RowFrom(std::size_t game, bool& shows) const noexcept {
    const std::uint32_t place = RankOf(game);
    if (rows == nullptr) {
        shows = true;
        return place;
    }
    const auto at =
        std::lower_bound(rows->begin(), rows->end(), place,
                         [this](std::uint32_t g, std::uint32_t r) { return RankOf(g) < r; });
    shows = at != rows->end() && *at == game;
    return static_cast<std::size_t>(at - rows->begin());
}

std::optional<std::size_t> CGameTable::RowOf(std::size_t game) const {
    bool shows = false;
    if (game >= games->Size()) {
        return std::nullopt;
    }
    const std::size_t row = RowFrom(game, shows);
    return shows ? std::optional<std::size_t>(row) : std::nullopt;
}

std::optional<std::size_t> CGameTable::NeighbourGame(std::size_t game, int step,
                                                     std::size_t listed) const {
    std::ptrdiff_t target = 0;
    if (!OwnOrder() || game >= games->Size()) {
        target = static_cast<std::ptrdiff_t>(game) + step;
        if (target < 0 || target >= static_cast<std::ptrdiff_t>(listed)) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(target);
    }
    bool shown = false;
    target = static_cast<std::ptrdiff_t>(RowFrom(game, shown)) + step;
    if (!shown && step > 0) {
        --target; // the row found is already the first game after the hidden one
    }
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(RowCount())) {
        return std::nullopt;
    }
    return GameAt(static_cast<std::size_t>(target));
}
