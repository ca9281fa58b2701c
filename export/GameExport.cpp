#include "export/GameExport.h"

#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "export/ExportException.h"
#include "export/VideoEncoder.h"
#include "pgn/FenParser.h"
#include "platform/GLSurface.h"

#include <algorithm>
#include <chrono>

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

CExportTimeline SExportRequest::Timeline() const {
    return CExportTimeline(PlayableFps(video.format, video.fps), std::max(endMove - firstMove, 0),
                           animationMs + pauseMs);
}

CGameExportJob::CGameExportJob(SExportRequest exportRequest, IGLSurface& offscreenSurface,
                               const ITextPainter& textPainter, bool windowSceneShown,
                               SCallbacks jobCallbacks)
    : request(std::move(exportRequest)), offscreen(offscreenSurface), painter(textPainter),
      sharedClassResources(windowSceneShown), callbacks(std::move(jobCallbacks)), scene(chessSet) {
    request.video.fps = PlayableFps(request.video.format, request.video.fps);
    if (request.look) {
        const SVideoLook& look = *request.look;
        if (look.camera != nullptr) {
            scene.Camera().CopyFrom(*look.camera);
        }
        scene.ShowCoordinates(look.coordinates);
        scene.ShowLastMoveTint(look.lastMoveTint);
        scene.ShowCheckTint(look.checkTint);
        scene.SetSmoothEdges(look.smoothEdges);
    }
    if (request.orientation != EVideoOrientation::AsShown) {
        scene.Camera().SetSideInFront(request.orientation == EVideoOrientation::White ? White
                                                                                      : Black);
        scene.Camera().StopMoving();
    }
    scene.ShowFps(false);
}

CGameExportJob::~CGameExportJob() {
    Cancel();
    Wait();
}

void CGameExportJob::Start() {
    worker = std::thread([this] { Run(); });
}

void CGameExportJob::Wait() {
    if (worker.joinable()) {
        worker.join();
    }
}

void CGameExportJob::Run() {
    SExportOutcome outcome;
    try {
        CVideoEncoder encoder(request.path, request.video);
        bool complete = false;
        try {
            PlaceStartPosition();
            scene.BeginOffscreen(offscreen, sharedClassResources);
            // The pieces exist from here on.
            scene.ApplyAnimationDuration(request.animationMs);
            complete = RenderFrames(encoder, outcome);
        } catch (...) {
            scene.EndOffscreen();
            throw;
        }
        scene.EndOffscreen();
        if (complete) {
            const auto start = std::chrono::steady_clock::now();
            encoder.Finish();
            outcome.encodeSeconds += SecondsSince(start);
        } else {
            encoder.Abandon();
            outcome.kind = SExportOutcome::EKind::Cancelled;
            outcome.message = "The export was cancelled.";
        }
    } catch (const CGeneralException& e) {
        outcome.kind = SExportOutcome::EKind::Failed;
        outcome.message = e.GetMessage();
    } catch (const std::exception& e) {
        outcome.kind = SExportOutcome::EKind::Failed;
        outcome.message = e.what();
    }
    if (callbacks.finished) {
        callbacks.finished(outcome);
    }
}

// The position before the first exported move, reached without animation, with that move's
// predecessor as the last move.
void CGameExportJob::PlaceStartPosition() {
    const CChessGameData& game = request.game;
    if (request.firstMove < 0 || request.endMove > game.MovesCount() ||
        request.firstMove >= request.endMove) {
        throw CExportException("CGameExportJob::Run(): The game has no moves to export.");
    }
    chessSet.SetUp(StartPosition(game.GetStart()).board);
    for (int i = 0; i < request.firstMove; ++i) {
        chessSet.Move(game.GetMove(i));
    }
    chessSet.ClearMoveReady();
    scene.SetStartingSide(StartPosition(game.GetStart()).sideToMove);
    ShowClocks(request.firstMove);
    scene.ShowLastMove(request.firstMove > 0 ? std::optional(game.GetMove(request.firstMove - 1))
                                             : std::nullopt);
    scene.SetGameResult(ResultNone);
}

void CGameExportJob::ShowClocks(int position) {
    const auto index = static_cast<std::size_t>(position);
    if (index < request.clocks.size()) {
        scene.SetClocks(request.clocks[index][White], request.clocks[index][Black]);
    } else {
        scene.SetClocks({}, {});
    }
}

// "12. Nf3" for White's move, "12... Nf6" for Black's, numbered from the starting position.
std::vector<std::string> CGameExportJob::Captions() const {
    const CFenPosition start = StartPosition(request.game.GetStart());
    const std::vector<std::string> san = WriteGameSan(start.board, request.game);
    std::vector<std::string> captions;
    for (int i = request.firstMove; i < request.endMove; ++i) {
        const int ply = i + (start.sideToMove == Black ? 1 : 0);
        const int number = start.fullMoveNumber + ply / 2;
        captions.push_back(std::to_string(number) + (ply % 2 == 0 ? ". " : "... ") +
                           san[static_cast<std::size_t>(i)]);
    }
    return captions;
}

bool CGameExportJob::RenderFrames(CVideoEncoder& encoder, SExportOutcome& outcome) {
    const CExportTimeline timeline = request.Timeline();
    const int width = request.video.width;
    const int height = request.video.height;
    const CVideoOverlays overlays(painter, width, height, request.game, request.codePage,
                                  request.caption ? Captions() : std::vector<std::string>{});
    const bool reachesEnd = request.endMove == request.game.MovesCount();
    const int total = timeline.TotalFrames();
    // The view as drawn, and the frame made of it with the overlays. While nothing moves the
    // view is the same picture as before (the renderer draws the same state alike), so it is
    // drawn again only from a move's start until the frame after its pieces stopped (a
    // promotion's new piece shows then), and when the result comes.
    std::vector<std::uint8_t> view;
    std::vector<std::uint8_t> pixels;
    bool viewChanges = true;
    int lastPercent = -1;
    int played = 0;
    for (int frame = 0; frame < total; ++frame) {
        if (cancelRequested.load(std::memory_order_acquire)) {
            return false;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::uint32_t tick = timeline.TickOf(frame);
        const CExportTimeline::SMoment moment = timeline.At(frame);
        if (moment.startsMove) {
            chessSet.Move(request.game.GetMove(request.firstMove + moment.move));
            scene.TakeMoveAt(tick);
            played = moment.move + 1;
            ShowClocks(request.firstMove + played);
            viewChanges = true;
        }
        if (moment.startsHold && reachesEnd) {
            scene.SetGameResult(request.game.GetResult());
            viewChanges = true;
        }
        if (viewChanges) {
            const bool moving = scene.MoveRunning();
            scene.DrawAt(tick);
            scene.ReadPicture(view);
            viewChanges = moving;
        }
        pixels = view;
        SPicture picture{pixels.data(), width, height};
        const std::size_t position = static_cast<std::size_t>(request.firstMove + played);
        if (position < request.analysis.size() && request.analysis[position]) {
            const SPositionAnalysis& analysis = *request.analysis[position];
            if (analysis.bestMove) {
                overlays.DrawArrow(picture, scene.Camera(), *analysis.bestMove);
            }
            overlays.DrawEvaluationBar(picture, analysis.whiteChance);
        }
        if (moment.phase == CExportTimeline::EPhase::Title) {
            overlays.DrawTitleCard(picture);
        } else if (moment.phase == CExportTimeline::EPhase::EndHold && reachesEnd) {
            overlays.DrawResult(picture);
        } else if (request.caption) {
            overlays.DrawCaption(picture, played - 1);
        }
        const auto rendered = std::chrono::steady_clock::now();
        outcome.renderSeconds += std::chrono::duration<double>(rendered - start).count();
        encoder.AddFrame(pixels.data(), static_cast<std::ptrdiff_t>(width) * 4, true);
        outcome.encodeSeconds += SecondsSince(rendered);
        const int percent = static_cast<int>(static_cast<long long>(frame + 1) * 100 / total);
        if (percent != lastPercent && callbacks.progress) {
            lastPercent = percent;
            callbacks.progress(frame + 1, total);
        }
    }
    return true;
}
