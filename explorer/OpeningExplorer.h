#pragma once

#include "common/LoadProgress.h"
#include "common/WorkerJob.h"
#include "openings/PositionIndex.h"
#include "platform/ExplorerContent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class IShellPlatform;

// The opening explorer's dock: for the position on show, the moves the listed games played
// next (of all games, or of the games table's search results with "Only games found"), from a
// position index built on a worker. The index is built only while the dock is shown, so that a
// closed explorer costs no memory: when the dock is first shown, and after each change of the
// list while it is shown; a change of the list drops it. The dock says "indexing…" until it is
// ready. Interface thread only.
class COpeningExplorer final : public IExplorerContent {
public:
    // `searchResults` gives the games table's matches (ascending; null while no search is in
    // force).
    COpeningExplorer(IShellPlatform& platform,
                     std::function<const std::vector<std::uint32_t>*()> searchResults);
    ~COpeningExplorer() override;
    COpeningExplorer(const COpeningExplorer&) = delete;
    COpeningExplorer& operator=(const COpeningExplorer&) = delete;

    // Hands the content to the window and shows the dock as the last run left it.
    void Create();
    // The window reads nothing more from here and the build has ended. For shutdown.
    void Shutdown();
    // "View > Opening explorer" and "Only games found"; false for other commands.
    bool HandleCommand(int id);
    // The user closed the dock by its own button.
    void OnClosed();
    // The game list is now `list`: the index of the old one goes.
    void ListChanged(std::shared_ptr<const CGameListSnapshot> list);
    // The position on show: `moves` played from `start` (a FEN, empty for the usual start).
    // While the dock is hidden they are only kept, and played once it is shown.
    void PositionChanged(std::string start, std::vector<CMove> moves);
    // The games table's search results changed.
    void SearchChanged();
    // Whether the games table shows only the games reaching a position; the owner says so.
    void SetFilteringByPosition(bool on);

    // A game that played the move of row `row` from the position on show, with the ply at
    // which it did: game `gameOnShow` at `plyOnShow` when it did (-1: none on show), else the
    // first of the games counted; none when there is no such row.
    std::optional<CGameVisit> MoveAt(int row, int gameOnShow, unsigned plyOnShow) const;
    // The games reaching the position on show at any ply up to the index's last, each at its
    // first visit, of the search results with "Only games found"; none while there is no index.
    std::optional<std::vector<CGameVisit>> GamesWithPosition() const;
    bool Indexed() const noexcept { return index != nullptr; }

    // IExplorerContent
    int RowCount() const override { return static_cast<int>(counts.moves.size()); }
    CExplorerRow Row(int row) const override;
    std::string StatusText() const override;
    bool OnlyFound() const override { return onlyFound; }
    bool CanFilterByPosition() const override {
        return (index != nullptr && scan == nullptr) || filtering;
    }
    bool FilteringByPosition() const override { return filtering; }

private:
    using CIndexJob = CWorkerJob<std::shared_ptr<const CPositionIndex>>;
    // The figures of a position past the index's last ply, found by replaying the games.
    struct CScan {
        CExplorerCounts counts;
        std::vector<CGameVisit> visits;
    };
    using CScanJob = CWorkerJob<CScan>;
    // Shows or hides the dock, then SetShown.
    void Show(bool on);
    // The dock is shown or hidden: the menu's mark, the setting and the build follow.
    void SetShown(bool on);
    // Starts building the index of the list when the dock is shown and none is at hand.
    void StartBuild();
    // Takes the index of build `number` once built, when that build is still the one wanted.
    void FinishBuild(unsigned number);
    // Cancels the build that runs and waits for its worker.
    void EndBuild();
    // The figures of the position on show anew, and the window told. Past the index's last ply
    // they are found on a worker, which a newer position cancels.
    void Refresh();
    void FinishScan(unsigned number);
    // The games reaching the position on show, in list order: of the index, or of the scan.
    std::vector<CGameVisit> Visits() const;
    std::unique_ptr<CGameSubset> Subset() const;

    IShellPlatform& platform;
    std::function<const std::vector<std::uint32_t>*()> searchResults;
    bool shown = false;
    bool onlyFound = false;
    bool filtering = false;
    std::shared_ptr<const CGameListSnapshot> list;
    std::shared_ptr<const CPositionIndex> index;
    CKeyedPosition position;
    unsigned ply = 0;
    // The position on show while it waits to be played: its start and moves.
    std::optional<std::pair<std::string, std::vector<CMove>>> waiting;
    // Plays the waiting position, if any; false when the moves of the position on show cannot
    // be played.
    bool PlayWaiting();
    bool playable = true;
    CExplorerCounts counts;
    std::shared_ptr<CLoadProgress> progress; // of the build that runs
    std::unique_ptr<CIndexJob> build;
    unsigned builds = 0; // counts the builds started, so that a late notice of one gone is ignored
    std::unique_ptr<CScanJob> scan;
    unsigned scans = 0;
    std::optional<std::vector<CGameVisit>> scanned;    // of the position on show, once scanned
    std::shared_ptr<const CGameListSnapshot> building; // the list the build indexes
};
