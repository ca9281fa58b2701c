#include "common/RecentFiles.h"
#include "common/TextDecoding.h"
#include "common/Ticks.h"
#include "messages/ListTitle.h"
#include "messages/LoadMessages.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PastedText.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/BackgroundLoad.h"
#include "shell/Shell.h"

#include <algorithm>

namespace {

constexpr int kGameListDroppedWidth = 600;
constexpr const char* kRecentFilesSetting = "files/recent";
// A load that takes longer than this shows its progress.
constexpr std::uint32_t kProgressDelayMs = 300;

} // namespace

bool CShell::ChoosePGNFile(std::string& path) {
    return platform.ChooseOpenFile(
        {std::string(strings::kFileFilter), std::string(strings::kAllFilesFilter)}, path);
}

void CShell::LoadPGNFile(const std::string& path) {
    if (ListsFile(*player.Games(), path) &&
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
    platform.ShowStatus({}, false);
}

void CShell::CancelLoads() {
    pendingLoads.clear();
    CancelRunningLoad();
}

void CShell::CancelRunningLoad() {
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
        ReportFailure({outcome.Message(), ended->Details()});
    }
    if (outcome.HasValue()) {
        RememberRecentFile(ended->Path());
        ListGames(std::move(outcome.Value()), ended->Path(), false, std::move(ended->Openings()));
    }
    StartNextLoad();
}

// The game and the move on show stay; with none on show, or for pasted games, the first new
// game is shown. The status line tells what was added and offers the first new game.
void CShell::ListGames(CParsedText&& parsed, const std::string& path, bool showFirst,
                       CReadOpenings read) {
    const CLoadReport report = parsed.report;
    const int firstNew = listedGames;
    const bool keep = listedGames > 0 && !showFirst;
    if (keep) {
        PauseForStep();
        ShowChanged();
    } else {
        StopPlayback();
    }
    player.Append(std::move(parsed));
    read.entries.resize(player.Games()->Size() - static_cast<std::size_t>(firstNew),
                        COpeningBook::kNone);
    openings =
        std::make_shared<const CListOpenings>(read.book, openings.get(), std::move(read.entries));
    FillGameList();
    const int added = listedGames - firstNew;
    if (added > 0 && !keep) {
        ChooseGame(firstNew);
    }
    firstAddedGame = firstNew;
    platform.ShowStatus(LoadStatusText(path, static_cast<std::size_t>(added), report),
                        added > 0 && keep);
    const CPlainMessage dropped = DroppedGamesText(path, report);
    if (!dropped.text.empty()) {
        platform.ShowDetailedMessageBox(EMessageBoxKind::Warning, std::string(strings::kWarning),
                                        dropped.text, dropped.details);
    }
}

// Bad text is reported and changes nothing.
void CShell::PasteGames() {
    const std::string text = platform.ClipboardText();
    try {
        CParsedText parsed = ReadPastedText(text);
        CReadOpenings read{openings != nullptr ? openings->Book() : nullptr, {}};
        if (read.book != nullptr) {
            read.Classify(parsed.batches, nullptr);
        }
        ListGames(std::move(parsed), std::string(kPastedGamesName), true, std::move(read));
    } catch (const CGeneralException& e) {
        ReportFailure(PasteFailureText(text, e.GetMessage()));
    }
}

// The ten files opened last, the last first, kept in the settings.
void CShell::RememberRecentFile(const std::string& path) {
    platform.WriteSetting(kRecentFilesSetting,
                          WithRecentFile(platform.ReadSetting(kRecentFilesSetting, ""),
                                         RecentFilePath(path), kRecentFiles));
    ShowRecentFiles();
}

std::vector<std::string> CShell::RecentFiles() const {
    return RecentFileList(platform.ReadSetting(kRecentFilesSetting, ""));
}

void CShell::ShowRecentFiles() {
    platform.SetRecentFiles(RecentFileNames(platform.ReadSetting(kRecentFilesSetting, "")));
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
        platform.SetGameListSelection(
            std::min(static_cast<int>(player.GameIndex()), listedGames - 1));
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
