#include "common/TextDecoding.h"
#include "common/Ticks.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/BackgroundLoad.h"
#include "shell/ListTitle.h"
#include "shell/LoadMessages.h"
#include "shell/Shell.h"

#include <filesystem>

namespace {

constexpr int kGameListDroppedWidth = 600;
// A load that takes longer than this shows its progress.
constexpr std::uint32_t kProgressDelayMs = 300;

} // namespace

bool CShell::ChoosePGNFile(std::string& path) {
    return platform.ChooseOpenFile(
        {std::string(strings::kFileFilter), std::string(strings::kAllFilesFilter)}, path);
}

void CShell::LoadPGNFile(const std::string& path) {
    if (IsListed(path) &&
        !platform.AskYesNo(std::string(strings::kTitle),
                           DecodeToUtf8(path) + std::string(strings::kAlreadyListed))) {
        return;
    }
    pendingLoads.push_back(path);
    StartNextLoad();
}

void CShell::StartNextLoad() {
    if (load != nullptr || pendingLoads.empty()) {
        return;
    }
    const std::string path = std::move(pendingLoads.front());
    pendingLoads.pop_front();
    loadStartTick = TickCount();
    load = std::make_unique<CBackgroundLoad>(
        player, path, [this] { platform.PostToInterfaceThread([this] { ShowLoadProgress(); }); },
        [this] { platform.PostToInterfaceThread([this] { FinishLoad(); }); });
}

void CShell::ShowLoadProgress() {
    if (load == nullptr || TickCount() - loadStartTick < kProgressDelayMs) {
        return;
    }
    platform.ShowLoadProgress(true);
    platform.SetLoadProgress(static_cast<int>(load->Fraction() * 100.0));
}

bool CShell::IsListed(const std::string& path) const {
    std::error_code error;
    const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    for (const auto& batch : player.Games()->Batches()) {
        const std::filesystem::path listed =
            std::filesystem::weakly_canonical(batch->File()->path, error);
        if (!error && listed == wanted) {
            return true;
        }
    }
    return false;
}

void CShell::CloseAllGames() {
    CancelLoads();
    playing = false;
    variationMove = CAnnotatedGame::kNone;
    ShowPlayGlyph();
    player.Pause();
    player.Clear();
    openings = std::make_shared<const CListOpenings>();
    player.ShowInitialPosition();
    FillGameList();
}

void CShell::CancelLoads() {
    pendingLoads.clear();
    if (load != nullptr) {
        load->Cancel();
    }
}

// A failed or cancelled load leaves the list, the game on show and playback as they were.
void CShell::FinishLoad() {
    if (load == nullptr) {
        return;
    }
    const std::unique_ptr<CBackgroundLoad> ended = std::move(load);
    COutcome<CParsedText>& outcome = ended->Wait();
    platform.ShowLoadProgress(false);
    if (outcome.Failed()) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                outcome.Message());
    }
    if (!outcome.HasValue()) {
        StartNextLoad();
        return;
    }
    StopPlayback();
    const CLoadReport report = outcome.Value().report;
    player.Append(std::move(outcome.Value()));
    openings = std::make_shared<const CListOpenings>(ended->Openings().book, openings.get(),
                                                     std::move(ended->Openings().marks));
    FillGameList();
    if (listedGames > 0) {
        player.SelectGame(0);
    }
    const std::string dropped = DroppedGamesText(ended->Path(), report);
    if (!dropped.empty()) {
        platform.ShowMessageBox(EMessageBoxKind::Warning, std::string(strings::kWarning), dropped);
    }
    StartNextLoad();
}

// The entries are titled from the list as it is now, on demand. An index may name another game
// from here on: the game on show is told anew.
void CShell::FillGameList() {
    const std::shared_ptr<const CGameListSnapshot> games = player.Games();
    listedGames = static_cast<int>(games->Size());
    ++listGeneration;
    platform.SetGameListEntries(listedGames, [games](int index) {
        return ListTitle(*games, static_cast<std::size_t>(index));
    });
    const bool any = listedGames > 0;
    if (any) {
        platform.SetGameListSelection(0);
        platform.SetGameListDroppedWidth(kGameListDroppedWidth);
    }
    platform.EnableControl(ids::kGameList, any);
    platform.EnableControl(ids::kStopButton, any);
    platform.EnableControl(ids::kPlayPauseButton, any);
    gamesTable.Follow(games, openings);
    notationPanel.SetOpenings(openings);
    explorer.ListChanged(games);
    ShowChanged();
}
