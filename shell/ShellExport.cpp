#include "analysis/GameAnalysisView.h"
#include "common/TextDecoding.h"
#include "export/GameExport.h"
#include "export/VideoExportSettings.h"
#include "messages/FailureMessages.h"
#include "messages/PictureName.h"
#include "player/GamePlayer.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

void CShell::ExportVideo() {
    if (exportJob || listedGames == 0) {
        platform.ShowMessageBox(
            EMessageBoxKind::Information, std::string(strings::kExportVideo),
            std::string(exportJob ? strings::kExportRunning : strings::kNoGameToExport));
        return;
    }
    if (!scene.SceneShown()) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                std::string(strings::kViewNotReady));
        return;
    }
    const CChessGameData game = player.GetGameData(static_cast<int>(player.GameIndex()));
    const IGLSurface& view = platform.GLSurface();
    const ELegacyCodePage page = player.Games()->CodePage(player.GameIndex());
    CVideoExportChoice choice = ReadVideoExportChoice(platform, game, view.Width(), view.Height(),
                                                      static_cast<int>(player.AnimationDuration()),
                                                      static_cast<int>(player.PauseDuration()));
    choice.path =
        DefaultVideoName(game, FormatExtension(static_cast<EVideoFormat>(choice.format)), page);
    if (!platform.ChooseVideoExport(choice)) {
        return;
    }
    KeepVideoExportChoice(platform, choice);

    SExportRequest request;
    try {
        request = VideoExportRequest(choice, game, page);
    } catch (const CGeneralException& e) {
        ReportFailure(VideoFailureText(choice.path, e.GetMessage()));
        return;
    }
    request.look =
        SVideoLook{&scene.Camera(), coordinatesMark, lastMoveMark, checkMark, smoothEdgesMark};
    // The clocks the notation panel reads from the game's annotations, once they are read.
    const CAnnotatedGame* tree = notationPanel.Tree();
    const CShowNotice& panelShows = notifier.Last();
    if (tree != nullptr && panelShows.game == static_cast<int>(player.GameIndex()) &&
        panelShows.listGeneration == listGeneration) {
        request.clocks = MainLineClocks(*tree);
        // The bar and arrow of the game's analysis, when the game on show has one.
        request.analysis = gameAnalysis->PositionsForVideo();
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
        ReportFailure(VideoFailureText(exportPath, outcome.message));
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
