#pragma once

#include "gametable/GameTable.h"
#include "gametable/GameTableFeed.h"
#include "openings/ExplorerCounts.h"
#include "platform/GamesTableContent.h"
#include "shell/ShowNotice.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class IShellPlatform;

// Connects the games table to the platform's dock: the window reads its rows and columns from
// here (the File column shows only while the games come from more than one file), the user's
// search and sort reach the table, the table follows the player's list and selects the game on
// show. Interface thread only; the search keys of a grown list are made on a worker.
class CGamesTableAdapter final : public IGamesTableContent, public IShowListener {
public:
    explicit CGamesTableAdapter(IShellPlatform& platform);

    // Hands the content to the window and shows the table as the last run left it.
    void Create();
    // The window reads nothing more from here and the keys' worker has ended. For shutdown.
    void Shutdown();
    // "View > Games table" and "Find a game"; false for other commands.
    bool HandleCommand(int id);
    // The user closed the dock by its own button.
    void OnClosed();
    void OnHeaderClicked(int column);
    void OnSearchChanged(const std::string& text);
    // The game a row of the table shows; none for a row beyond it.
    std::optional<std::size_t> GameAtRow(int row) const;
    // The game `step` places after `game`, of a list of `listed` games, in the table's order
    // while it has one of its own, else in the list's; none past either end.
    std::optional<std::size_t> NeighbourGame(std::size_t game, int step, std::size_t listed) const;
    // The table follows `list`, whose games have `openings`: at once when it was emptied, else
    // once its keys are made. A filter by position ends.
    void Follow(std::shared_ptr<const CGameListSnapshot> list,
                std::shared_ptr<const CListOpenings> openings);
    // The search results (ascending), null while the search text holds no term.
    const std::vector<std::uint32_t>* SearchResults() const noexcept { return table.Matches(); }
    // The filter by position of CGameTable.
    void FilterByPosition(std::optional<std::vector<CGameVisit>> visits);
    bool PositionFiltered() const noexcept { return table.PositionFiltered(); }
    std::optional<unsigned> PositionPly(std::size_t g) const { return table.PositionPly(g); }
    // Called after the search results changed.
    std::function<void()> onSearchChanged;
    // True until the table shows the last list it was asked to follow.
    bool Following() const noexcept { return feed.Busy(); }

    // IShowListener: the row of the game on show is selected.
    void OnShowChanged(const CShowNotice& notice) override;

    // IGamesTableContent, in the columns of EGameColumn.
    int RowCount() const override;
    int ColumnCount() const override;
    std::string HeaderText(int column) const override;
    int ColumnCharacters(int column) const override;
    bool ColumnShown(int column) const override;
    // Empty for a cell outside the table.
    std::string CellText(int row, int column) const override;
    int SortColumn() const override;
    bool SortDescending() const override;

private:
    void Show(bool on);
    // The keys made on the worker reach the table.
    void FinishKeys();
    // Rows, count and the selected row anew.
    void Refresh();
    // Selects the row of the game on show when the filter lets it through, none else.
    void SelectShownGame();

    IShellPlatform& platform;
    CGameTable table;
    CGameTableFeed feed;
    bool shown = false;
    int gameOnShow = -1;
};
