#pragma once

#include "chess/ChessGameData.h"
#include "chess/ChessSet.h"
#include "common/CodePages.h"
#include "export/ExportTimeline.h"
#include "export/VideoFormat.h"
#include "export/VideoOverlays.h"
#include "scene/Scene.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class IGLSurface;
class ITextPainter;

// Which side a video shows in front: the window's as it stands, or White's or Black's.
enum class EVideoOrientation { AsShown = 0, White = 1, Black = 2 };

// How the window shows the game, for a video that looks the same: its camera and the board's
// marks. Without one a video has the default view with every mark.
struct SVideoLook {
    const CCamera* camera = nullptr;
    bool coordinates = true;
    bool lastMoveTint = true;
    bool checkTint = true;
    bool smoothEdges = false;
};

// What to export: the file, its format, size and rate, the game and which of its moves (move
// indexes from `firstMove` up to but not including `endMove`), the time a move takes and the
// pause after it, the caption, the side in front, the window's look, and what is known of the
// game's positions: the engine's analysis, when there is one, and the clocks (index 0 before
// the first move, i after the i-th; empty or shorter where nothing is known).
struct SExportRequest {
    std::string path;
    SVideoSettings video;
    CChessGameData game{"", "", "", "", "", "", ResultNone, {}};
    // How the game's names and event read where they are not UTF-8: its file's code page.
    ELegacyCodePage codePage = ELegacyCodePage::kWindows1252;
    int firstMove = 0;
    int endMove = 0;
    std::uint32_t animationMs = 600;
    std::uint32_t pauseMs = 1000;
    bool caption = true;
    EVideoOrientation orientation = EVideoOrientation::AsShown;
    std::optional<SVideoLook> look;
    std::vector<std::optional<SPositionAnalysis>> analysis;
    // The players' clocks as the game's annotations give them, White's then Black's, by
    // position as the analysis; none shown where there are none.
    std::vector<std::array<std::string, 2>> clocks;

    // The frames the video is made of; a move's slot is its animation and its pause.
    CExportTimeline Timeline() const;
};

// How an export ended: the file is complete, or it was cancelled or failed and no file was
// left behind (the message says why).
struct SExportOutcome {
    enum class EKind { Done, Cancelled, Failed };
    EKind kind = EKind::Done;
    std::string message;
    // Where the time went: drawing and reading back the frames with their overlays, and
    // encoding and writing them.
    double renderSeconds = 0.0;
    double encodeSeconds = 0.0;
};

// Renders a game into a video on a worker thread of its own: a scene of its own with its own
// chess set draws each frame off screen at the moment the frame number gives, the overlays are
// drawn over it and the encoder takes it. The window stays usable and goes on playing meanwhile.
//
// Made, started, cancelled and destroyed on the interface thread; the callbacks run on the
// worker.
class CGameExportJob {
public:
    struct SCallbacks {
        // Frames done of the total, now and then (every percent).
        std::function<void(int done, int total)> progress;
        // The last call of the job.
        std::function<void(const SExportOutcome& outcome)> finished;
    };

    // `offscreen` (a surface off screen of the request's size) and `painter` must outlive the
    // job, and so must the look's camera. With `windowSceneShown` a window's scene is built and
    // has drawn a frame: the video shares its buffers and textures, which must outlive the job.
    // Otherwise the job makes its own.
    CGameExportJob(SExportRequest request, IGLSurface& offscreen, const ITextPainter& painter,
                   bool windowSceneShown, SCallbacks callbacks);
    // Cancels a running export and waits for its end.
    ~CGameExportJob();
    CGameExportJob(const CGameExportJob&) = delete;
    CGameExportJob& operator=(const CGameExportJob&) = delete;

    void Start();
    // The worker stops before its next frame, removes the partial file and reports Cancelled.
    // Returns at once.
    void Cancel() { cancelRequested.store(true, std::memory_order_release); }
    // Waits until the worker has ended (its finished callback has returned).
    void Wait();

private:
    void Run();
    // Renders and encodes every frame; false when cancelled.
    bool RenderFrames(class CVideoEncoder& encoder, SExportOutcome& outcome);
    void PlaceStartPosition();
    // The clocks of position `position` of the game.
    void ShowClocks(int position);
    std::vector<std::string> Captions() const;

    SExportRequest request;
    IGLSurface& offscreen;
    const ITextPainter& painter;
    const bool sharedClassResources;
    SCallbacks callbacks;
    CChessSet chessSet;
    CScene scene;
    std::atomic<bool> cancelRequested{false};
    std::thread worker;
};
