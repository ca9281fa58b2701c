#include "explorer/OpeningExplorer.h"

#include "openings/OpeningsExceptions.h"
#include "openings/PositionScanner.h"
#include "pgn/PGNExceptions.h"
#include "platform/ShellPlatform.h"
#include "resources/CommandIds.h"

#include <cstdio>

namespace {

// Whether the dock was shown at the end of the last run.
constexpr const char* kShownSetting = "view/openingExplorer";

// "12,345"
std::string Grouped(unsigned n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::string Percent(unsigned part, unsigned whole) {
    return std::to_string(whole == 0 ? 0 : (part * 100 + whole / 2) / whole) + "%";
}

} // namespace

COpeningExplorer::COpeningExplorer(IShellPlatform& platform,
                                   std::function<const std::vector<std::uint32_t>*()> searchResults)
    : platform(platform), searchResults(std::move(searchResults)),
      list(std::make_shared<const CGameListSnapshot>()) {
}

COpeningExplorer::~COpeningExplorer() {
    scan.reset();
    EndBuild();
}

void COpeningExplorer::Create() {
    platform.SetExplorerContent(*this);
    Show(platform.ReadSetting(kShownSetting, "0") == "1");
}

void COpeningExplorer::Shutdown() {
    platform.DetachExplorerContent(); // the window outlives the owner of the content
    scan.reset();
    EndBuild();
}

bool COpeningExplorer::HandleCommand(int id) {
    switch (id) {
    case ids::kOpeningExplorer:
        Show(!shown);
        return true;
    case ids::kExplorerOnlyFound:
        onlyFound = !onlyFound;
        Refresh();
        return true;
    default:
        return false;
    }
}

void COpeningExplorer::OnClosed() {
    SetShown(false);
}

void COpeningExplorer::Show(bool on) {
    platform.ShowExplorer(on);
    SetShown(on);
}

// A build that runs while the dock is hidden ends; an index built stays until the list changes.
void COpeningExplorer::SetShown(bool on) {
    shown = on;
    platform.SetMenuItemChecked(ids::kOpeningExplorer, on);
    platform.WriteSetting(kShownSetting, on ? "1" : "0");
    if (on) {
        StartBuild();
    } else {
        EndBuild();
    }
    Refresh();
}

void COpeningExplorer::ListChanged(std::shared_ptr<const CGameListSnapshot> games) {
    list = std::move(games);
    index = nullptr;
    filtering = false; // the games table shows the new list whole
    EndBuild();
    StartBuild();
    Refresh();
}

void COpeningExplorer::StartBuild() {
    if (!shown || index != nullptr || build != nullptr || list->Size() == 0) {
        return;
    }
    const unsigned number = ++builds;
    progress = std::make_shared<CLoadProgress>();
    // At most every 50 ms, the status shows how far the build has come.
    progress->onProgress = [this, number] {
        platform.PostToInterfaceThread([this, number] {
            if (build != nullptr && number == builds) {
                platform.ExplorerChanged();
            }
        });
    };
    building = list;
    build = std::make_unique<CIndexJob>(
        [games = list, progress = progress](const std::atomic<bool>&) {
            return COutcome<std::shared_ptr<const CPositionIndex>>(
                CPositionIndex::Build(*games, {}, progress.get()));
        },
        [this, number] {
            platform.PostToInterfaceThread([this, number] { FinishBuild(number); });
        });
}

void COpeningExplorer::EndBuild() {
    if (build != nullptr) {
        progress->cancelled = true;
        build->Cancel();
        build.reset();
    }
}

// A build that failed (no memory for the index) leaves the explorer without figures; it is
// tried again after the next change of the list.
void COpeningExplorer::FinishBuild(unsigned number) {
    if (build == nullptr || number != builds) {
        return;
    }
    const std::unique_ptr<CIndexJob> ended = std::move(build);
    COutcome<std::shared_ptr<const CPositionIndex>>& outcome = ended->Wait();
    if (outcome.HasValue() && outcome.Value() != nullptr && building == list) {
        index = std::move(outcome.Value());
    }
    building = nullptr;
    Refresh();
}

void COpeningExplorer::PositionChanged(std::string start, std::vector<CMove> moves) {
    waiting.emplace(std::move(start), std::move(moves));
    Refresh();
}

bool COpeningExplorer::PlayWaiting() {
    if (!waiting) {
        return playable;
    }
    const auto [start, moves] = std::move(*waiting);
    waiting.reset();
    try {
        CKeyedPosition shownPosition = CKeyedPosition::Start(start);
        for (const CMove& move : moves) {
            shownPosition.Play(move);
        }
        position = shownPosition;
        ply = static_cast<unsigned>(moves.size());
        playable = true;
    } catch (const CGeneralException&) {
        position = CKeyedPosition();
        ply = 0;
        playable = false;
    }
    return playable;
}

void COpeningExplorer::SearchChanged() {
    if (onlyFound) {
        Refresh();
    }
}

void COpeningExplorer::SetFilteringByPosition(bool on) {
    filtering = on;
    platform.ExplorerChanged();
}

std::unique_ptr<CGameSubset> COpeningExplorer::Subset() const {
    const std::vector<std::uint32_t>* found = onlyFound ? searchResults() : nullptr;
    return found != nullptr ? std::make_unique<CGameSubset>(*found, list->Size()) : nullptr;
}

// A position whose moves the board refuses gets no figures rather than wrong ones.
void COpeningExplorer::Refresh() {
    counts = {};
    scan.reset();
    scanned.reset();
    if (!shown || index == nullptr || !PlayWaiting()) {
        platform.ExplorerChanged();
        return;
    }
    if (ply > static_cast<unsigned>(index->MaxPly())) {
        const unsigned number = ++scans;
        scan = std::make_unique<CScanJob>(
            [games = list, target = position,
             subset = std::shared_ptr<CGameSubset>(Subset())](const std::atomic<bool>& cancel) {
                CPositionScanner scanner(target);
                scanner.Add(*games, subset.get(), &cancel);
                return COutcome<CScan>(CScan{scanner.Result(), scanner.Visits()});
            },
            [this, number] {
                platform.PostToInterfaceThread([this, number] { FinishScan(number); });
            });
    } else {
        counts = index->Explore(position, Subset().get());
    }
    platform.ExplorerChanged();
}

void COpeningExplorer::FinishScan(unsigned number) {
    if (scan == nullptr || number != scans) {
        return;
    }
    const std::unique_ptr<CScanJob> ended = std::move(scan);
    COutcome<CScan>& outcome = ended->Wait();
    if (outcome.HasValue()) {
        counts = std::move(outcome.Value().counts);
        scanned = std::move(outcome.Value().visits);
    }
    platform.ExplorerChanged();
}

std::vector<CGameVisit> COpeningExplorer::Visits() const {
    if (scanned) {
        return *scanned;
    }
    return index != nullptr ? index->GamesReaching(position.Key(), Subset().get())
                            : std::vector<CGameVisit>();
}

std::optional<CGameVisit> COpeningExplorer::MoveAt(int row, int gameOnShow,
                                                   unsigned plyOnShow) const {
    if (row < 0 || row >= RowCount() || index == nullptr) {
        return std::nullopt;
    }
    const CPackedMove packed = PackMove(counts.moves[static_cast<std::size_t>(row)].move);
    if (gameOnShow >= 0 && static_cast<std::size_t>(gameOnShow) < list->Size()) {
        const CStoredGame& game = list->Game(static_cast<std::size_t>(gameOnShow));
        if (plyOnShow < game.moveCount && game.moves[plyOnShow] == packed) {
            return CGameVisit{static_cast<std::uint32_t>(gameOnShow),
                              static_cast<std::uint16_t>(plyOnShow)};
        }
    }
    for (const CGameVisit& visit : Visits()) {
        const CStoredGame& game = list->Game(visit.game);
        if (visit.ply < game.moveCount && game.moves[visit.ply] == packed) {
            return visit;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<CGameVisit>> COpeningExplorer::GamesWithPosition() const {
    if (index == nullptr || scan != nullptr) {
        return std::nullopt;
    }
    return Visits();
}

CExplorerRow COpeningExplorer::Row(int row) const {
    const CExplorerMove& move = counts.moves[static_cast<std::size_t>(row)];
    return {move.san,   move.games,      move.white,   move.draw,
            move.black, move.averageElo, move.lastYear};
}

std::string COpeningExplorer::StatusText() const {
    if (list->Size() == 0) {
        return "No games listed";
    }
    if (index == nullptr) {
        const int percent = build != nullptr ? static_cast<int>(progress->Fraction() * 100) : 0;
        return percent > 0 ? "indexing… " + std::to_string(percent) + "%" : "indexing…";
    }
    if (scan != nullptr) {
        return "searching…";
    }
    std::string text = Grouped(counts.games) + (counts.games == 1 ? " game" : " games");
    if (counts.games > 0) {
        text += ": white " + Percent(counts.white, counts.games) + ", draw " +
                Percent(counts.draw, counts.games) + ", black " +
                Percent(counts.black, counts.games);
    }
    return text;
}
