#include "analysis/GameAnalysisView.h"
#include "common/TextDecoding.h"
#include "export/ExportException.h"
#include "export/GameExport.h"
#include "export/MoveRange.h"
#include "messages/PictureName.h"
#include "pgn/FenParser.h"
#include "player/GamePlayer.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

#include <algorithm>

namespace {

// The options' keys in the user's settings.
constexpr const char* kFormatKey = "export/format";
constexpr const char* kSizeKey = "export/size";
constexpr const char* kFpsKey = "export/fps";
constexpr const char* kWholeGameKey = "export/wholeGame";
constexpr const char* kFromKey = "export/fromMove";
constexpr const char* kToKey = "export/toMove";
constexpr const char* kAnimationKey = "export/animationMs";
constexpr const char* kPauseKey = "export/pauseMs";
constexpr const char* kCaptionKey = "export/caption";
constexpr const char* kOrientationKey = "export/orientation";

constexpr int kSizes[2][2] = {{1280, 720}, {1920, 1080}};

int Setting(const IShellPlatform& platform, const char* key, int fallback, int low, int high) {
    try {
        return std::clamp(std::stoi(platform.ReadSetting(key, std::to_string(fallback))), low,
                          high);
    } catch (const std::exception&) {
        return fallback; // a setting spoilt by hand
    }
}

// The full moves a game has: the number of its first and of its last move.
std::pair<int, int> FullMoves(const CChessGameData& game) {
    const CFenPosition start = StartPosition(game.GetStart());
    const int blackFirst = start.sideToMove == Black ? 1 : 0;
    const int last = start.fullMoveNumber + (std::max(game.MovesCount(), 1) - 1 + blackFirst) / 2;
    return {start.fullMoveNumber, last};
}

// The picture's name without its move and extension: the players.
std::string DefaultVideoName(const CChessGameData& game, ELegacyCodePage page, int format) {
    std::string name = DefaultPictureName(game, 0, page);
    const std::string start = ", start.png";
    if (name.size() > start.size() && name.ends_with(start)) {
        name.resize(name.size() - start.size());
    }
    return name + std::string(FormatExtension(static_cast<EVideoFormat>(format)));
}

} // namespace

void CShell::ExportVideo() {
    if (exportJob) {
        platform.ShowMessageBox(EMessageBoxKind::Information, std::string(strings::kExportVideo),
                                std::string(strings::kExportRunning));
        return;
    }
    if (listedGames == 0) {
        platform.ShowMessageBox(EMessageBoxKind::Information, std::string(strings::kExportVideo),
                                std::string(strings::kNoGameToExport));
        return;
    }
    if (!scene.SceneShown()) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                std::string(strings::kViewNotReady));
        return;
    }
    const CChessGameData game = player.GetGameData(static_cast<int>(player.GameIndex()));
    const auto [firstMove, lastMove] = FullMoves(game);
    const IGLSurface& view = platform.GLSurface();
    CVideoExportChoice choice;
    choice.format = Setting(platform, kFormatKey, 0, 0, 2);
    const ELegacyCodePage page = player.Games()->CodePage(player.GameIndex());
    choice.path = DefaultVideoName(game, page, choice.format);
    choice.size = Setting(platform, kSizeKey, 0, 0, 2);
    choice.viewWidth = view.Width() & ~1;
    choice.viewHeight = view.Height() & ~1;
    choice.fps = Setting(platform, kFpsKey, 30, 30, 60) == 60 ? 60 : 30;
    choice.wholeGame = Setting(platform, kWholeGameKey, 1, 0, 1) == 1;
    choice.firstMove = firstMove;
    choice.lastMove = lastMove;
    choice.fromMove = Setting(platform, kFromKey, firstMove, firstMove, lastMove);
    choice.toMove = Setting(platform, kToKey, lastMove, choice.fromMove, lastMove);
    // A move's time is the window's unless the user chose another for videos.
    choice.animationMs =
        Setting(platform, kAnimationKey, static_cast<int>(player.AnimationDuration()), 0, 5000);
    choice.pauseMs =
        Setting(platform, kPauseKey, static_cast<int>(player.PauseDuration()), 0, 30000);
    choice.caption = Setting(platform, kCaptionKey, 1, 0, 1) == 1;
    choice.orientation = Setting(platform, kOrientationKey, 0, 0, 2);
    if (!platform.ChooseVideoExport(choice)) {
        return;
    }
    const std::pair<const char*, int> kept[] = {{kFormatKey, choice.format},
                                                {kSizeKey, choice.size},
                                                {kFpsKey, choice.fps},
                                                {kWholeGameKey, choice.wholeGame ? 1 : 0},
                                                {kFromKey, choice.fromMove},
                                                {kToKey, choice.toMove},
                                                {kAnimationKey, choice.animationMs},
                                                {kPauseKey, choice.pauseMs},
                                                {kCaptionKey, choice.caption ? 1 : 0},
                                                {kOrientationKey, choice.orientation}};
    for (const auto& [key, value] : kept) {
        platform.WriteSetting(key, std::to_string(value));
    }

    SExportRequest request;
    request.path = choice.path;
    request.video.format = static_cast<EVideoFormat>(choice.format);
    request.video.width = choice.size == 2 ? choice.viewWidth : kSizes[choice.size][0];
    request.video.height = choice.size == 2 ? choice.viewHeight : kSizes[choice.size][1];
    request.video.fps = choice.fps;
    request.game = game;
    request.codePage = page;
    request.animationMs = static_cast<std::uint32_t>(choice.animationMs);
    request.pauseMs = static_cast<std::uint32_t>(choice.pauseMs);
    request.caption = choice.caption;
    request.orientation = static_cast<EVideoOrientation>(choice.orientation);
    request.look =
        SVideoLook{&scene.Camera(), coordinatesMark, lastMoveMark, checkMark, smoothEdgesMark};
    // The clocks the notation panel reads from the game's annotations, once they are read.
    const CAnnotatedGame* tree = notationPanel.Tree();
    const CShowNotice& panelShows = notifier.Last();
    if (tree != nullptr && panelShows.game == static_cast<int>(player.GameIndex()) &&
        panelShows.listGeneration == listGeneration) {
        request.clocks.push_back(ClocksAt(*tree, CAnnotatedGame::kNone));
        for (int move : tree->MainLine().moves) {
            request.clocks.push_back(ClocksAt(*tree, move));
        }
        // The bar and arrow of the game's analysis, when the game on show has one.
        request.analysis = gameAnalysis->PositionsForVideo();
    }
    try {
        const SMoveRange range = choice.wholeGame
                                     ? SMoveRange{0, game.MovesCount()}
                                     : FullMoveRange(game, choice.fromMove, choice.toMove);
        request.firstMove = range.first;
        request.endMove = range.end;
        if (range.first >= range.end) {
            throw CExportException("CShell::ExportVideo(): The game has no moves to export.");
        }
        const std::string problem = CheckVideoSettings(request.video);
        if (!problem.empty()) {
            throw CExportException("CShell::ExportVideo(): " + problem);
        }
    } catch (const CGeneralException& e) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                std::string(strings::kVideoNotMade) + "\n" + e.GetMessage());
        return;
    }

    const unsigned job = ++exportCount;
    exportPath = DecodeToUtf8(request.path);
    exportSurface = platform.CreateOffscreenSurface(request.video.width, request.video.height);
    CGameExportJob::SCallbacks callbacks;
    callbacks.progress = [this, job](int done, int total) {
        const int percent = static_cast<int>(static_cast<long long>(done) * 100 / total);
        platform.PostToInterfaceThread([this, job, percent] {
            if (job == exportCount && exportJob) {
                platform.SetExportProgress(percent);
            }
        });
    };
    callbacks.finished = [this, job](const SExportOutcome& outcome) {
        platform.PostToInterfaceThread([this, job, outcome] { FinishExport(job, outcome); });
    };
    exportJob = std::make_unique<CGameExportJob>(request, *exportSurface, platform.TextPainter(),
                                                 true, std::move(callbacks));
    platform.ShowExportProgress(true);
    exportJob->Start();
}

void CShell::FinishExport(unsigned job, const SExportOutcome& outcome) {
    if (job != exportCount || !exportJob) {
        return; // an export that was ended meanwhile
    }
    EndExport();
    switch (outcome.kind) {
    case SExportOutcome::EKind::Done:
        platform.ShowMessageBox(EMessageBoxKind::Information, std::string(strings::kExportVideo),
                                std::string(strings::kVideoSaved) + "'" + exportPath + "'.");
        break;
    case SExportOutcome::EKind::Cancelled:
        platform.ShowMessageBox(EMessageBoxKind::Information, std::string(strings::kExportVideo),
                                outcome.message);
        break;
    case SExportOutcome::EKind::Failed:
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                std::string(strings::kVideoNotMade) + "\n" + outcome.message);
        break;
    }
}

void CShell::CancelExport() {
    if (exportJob) {
        exportJob->Cancel();
    }
}

void CShell::EndExport() {
    if (exportJob) {
        exportJob->Cancel();
        exportJob.reset(); // waits for the worker
    }
    exportSurface.reset();
    platform.ShowExportProgress(false);
}
