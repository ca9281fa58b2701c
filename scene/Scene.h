#pragma once

#include "chess/ChessSet.h"
#include "common/Ticks.h"
#include "gfx3d/BoardMarksPass.h"
#include "gfx3d/ContactShadowPass.h"
#include "platform/FrameImage.h"
#include "scene/BoardMarks.h"
#include "scene/Camera.h"
#include "scene/MultisampleTarget.h"
#include "scene/OffscreenTarget.h"
#include "scene/ScenePlayback.h"
#include "scene/SceneView.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class A3DObject;
class C3DObjPiece;
class C3DObjTurnMarker;
class IGLSurface;

// A piece object as the scene shows it, for checks: as the last frame drew it, with the
// shadow drawn under it (opacity 0 before the first frame).
struct CScenePiece {
    EPieceType kind;
    EPieceColor color;
    float x, y, z;
    bool animating;
    float alpha;
    SContactShadow shadow;
};

// The squares tinted on the board, as the next frame draws them.
struct CSquareTints {
    std::optional<CMoveSquares> lastMove;
    std::vector<CBoardSquare> check;
};

// The scene and its renderer. One thread, the render thread, owns the OpenGL context and makes
// every OpenGL call; it draws a frame only when something changed (a resize, the camera,
// running animations), else it idles. The other threads talk to it through atomic flags and
// counters, and through `objectsMutex`, which guards `objects` and `pieceGrid`: it is held
// while a frame draws the objects and while the objects change, never while sleeping.
class CScene : public IScenePlayback, public ISceneView {
public:
    explicit CScene(CChessSet& chessSet);
    ~CScene() override;
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;

    // The render thread's entry: creates the context on the surface, draws while `appRunning`
    // holds, then releases every object, buffer, texture and display list it created and the
    // context. A context or GLEW failure is reported through the surface (an "Error" box, then
    // the program ends with a non-zero code) and ends the thread.
    void RenderThread(IGLSurface& surface, const std::atomic<bool>& appRunning) override;

    // Records a new client size; the render thread applies it before its next frame. Any thread.
    void RequestResize(int width, int height) override;
    // Asks for the next frame to be read back. Any thread; the future is fulfilled by the
    // render thread (or broken if it ends first).
    std::future<CFrameImage> RequestCapture() override;

    CCamera& Camera() override { return camera; }
    bool BuffersCreated() const override { return buffersCreated; }
    bool SceneShown() const override { return sceneReady && framesDrawn > 0; }
    void ShowFps(bool on) override { showFps = on; }
    // Edges drawn 4x multisampled: through the surface's multisample buffers where it has them
    // (a hardware renderer), else through an off-screen multisampled buffer. Any thread.
    void SetSmoothEdges(bool on) override { smoothEdges = on; }
    void BeginWindowMove() override { ++windowMoveRedraw; }
    // Never below 0: an end without a beginning changes nothing.
    void EndWindowMove() override;

    // IScenePlayback. Until the scene is built RebuildPieces only reads the checks from the
    // chess set (the build makes the pieces from the chess set itself).
    void RebuildPieces() override;
    void ShowBoardNow() override;
    void ApplyAnimationDuration(std::uint32_t milliseconds) override;
    void SetGameResult(int result) override { gameResult = result; }
    void RequestRedraw() override { projectionDirty = true; }
    void ShowLastMove(const std::optional<CMove>& move) override;
    void SetStartingSide(EPieceColor side) override;
    void SetClocks(const std::string& white, const std::string& black) override;
    void SetBestMoveArrow(const std::optional<CBoardArrow>& arrow) override;
    std::optional<CBoardArrow> BestMoveArrow();
    // The side the marker shows to move, as the next frame draws it.
    EPieceColor SideToMove();

    // What the board shows besides the pieces, each on at start: the coordinates on the frame
    // (the frame itself stays), the last move's squares tinted, a king in check on a red
    // square. Any thread; the next frame shows the change.
    void ShowCoordinates(bool on) override;
    void ShowLastMoveTint(bool on) override;
    void ShowCheckTint(bool on) override;
    CSquareTints TintedSquares();

    // One more reason to draw frames back to back (a move being shown, a mouse drag); restarts
    // the frame counter's window. EndContinuousRedraw takes one reason away.
    void BeginContinuousRedraw() override;
    void EndContinuousRedraw() override;

    // The clock that the window's frames and move animations read: TickCount unless set (a test
    // stops time with it to picture one moment of a move). Set before the render thread starts.
    void SetClock(std::function<std::uint32_t()> ticks) { clock = std::move(ticks); }

    // --- Drawing without a render thread: on the calling thread, into an off-screen picture,
    // at moments the caller chooses (a video at a fixed time step). The chess set is then this
    // scene's own; moves are handed over through it as to the window's scene. ---
    // Makes the surface's context current, sets it up as the window's is, makes the scene's
    // objects from the chess set and directs drawing into an off-screen picture of the
    // surface's size. With `sharedClassResources` the context shares its objects with a
    // window's context whose scene is built: the class-wide buffers and textures of the pieces,
    // the board and the floor are used as they are and left to that scene. Otherwise this
    // scene makes them and EndOffscreen releases them. Throws CGeneralException when the
    // context, GLEW, a framebuffer or an asset fails; EndOffscreen is then still due.
    void BeginOffscreen(IGLSurface& offscreen, bool sharedClassResources);
    // Takes the move the chess set hands over, if any, and starts its animation at tick `now`.
    void TakeMoveAt(std::uint32_t now);
    // Draws the view as it stands at tick `now`. A move whose pieces have stopped by then is
    // finished: a promotion's new piece shows from the next picture on.
    void DrawAt(std::uint32_t now);
    // True from TakeMoveAt until a picture after the move's pieces stopped.
    bool MoveRunning() const { return offscreenMove.has_value(); }
    // The picture last drawn: RGBA, the bottom row first, width * 4 bytes a row.
    void ReadPicture(std::vector<std::uint8_t>& rgba);
    int PictureWidth() const { return viewportWidth; }
    int PictureHeight() const { return viewportHeight; }
    // Releases what BeginOffscreen made, and the context. Never throws.
    void EndOffscreen() noexcept;

    // The scene's state, for checks and measurements. Any thread.
    bool SceneReady() const { return sceneReady; }
    bool FpsShown() const { return showFps; }
    bool SmoothEdges() const { return smoothEdges; }
    int GameResult() const { return gameResult; }
    std::uint64_t FramesDrawn() const { return framesDrawn; }     // frames swapped so far
    std::uint64_t MovesAnimated() const { return movesAnimated; } // moves whose animation ended
    bool DrawingContinuously() const { return continuousRedraw != 0; }
    bool RenderRunning() const { return renderRunning; }

    // The piece object on a square, and the pieces beside the board, as drawn now.
    std::optional<CScenePiece> PieceOn(int file, int rank);
    std::vector<CScenePiece> PiecesBesideTheBoard();

private:
    // Flags and counters shared with the other threads.
    std::atomic<bool> projectionDirty{false};
    std::atomic<bool> buffersCreated{false};
    std::atomic<bool> sceneReady{false};
    std::atomic<bool> showFps{false};
    std::atomic<bool> smoothEdges{false};
    std::atomic<bool> renderRunning{false};
    std::atomic<std::uint32_t> continuousRedraw{0};
    std::atomic<std::uint32_t> windowMoveRedraw{0};
    std::atomic<std::uint32_t> fpsInterval{400};
    std::atomic<int> gameResult{3};
    std::atomic<std::uint64_t> framesDrawn{0};
    std::atomic<std::uint64_t> movesAnimated{0};
    std::atomic<bool> loadingModels{false};
    std::atomic<int> modelsLoaded{0};

    bool InitOpenGL();
    // The context's state that every frame relies on, and the font's display lists.
    void SetUpContext();
    // One frame's picture at tick `now`, drawn into the bound framebuffer; `resolveTarget` is
    // the framebuffer a multisampled picture is resolved onto.
    void RenderView(std::uint32_t now, unsigned resolveTarget);
    // The viewport and the projection for a picture of width x height; ResizeViewport then
    // draws a frame.
    void ResizeViewport(int width, int height);
    void SetViewport(int width, int height);
    // The render loop: loading, then a frame whenever something changed, until appRunning ends.
    void DrawWhileRunning(const std::atomic<bool>& appRunning);
    // Draws the scene as it stands at the moment the frame begins.
    void DrawFrame();
    void DrawObjects(std::uint32_t now);
    CScenePiece Describe(const C3DObjPiece& piece) const;
    void ApplyView(std::uint32_t now);
    void SetupLights();
    void BuildFontLists();
    void PrintText(unsigned x, unsigned y, float red, float green, float blue,
                   std::u32string_view text);
    void DrawGameOver();
    // The clocks beside the board's corners where the turn markers lie, on the outer side.
    void DrawClocks();
    float TextWidth(std::u32string_view text) const;
    void DrawFps();
    bool UpdateLoading();
    void StartModelLoaders();
    void WatchModelLoading();
    void JoinLoaders();
    void DrawStatusText(std::string_view text);
    void BuildScene();
    void ReleaseScene();
    void FulfilCapture();
    // With objectsMutex held: the move taken from the chess set (whose board it has reached)
    // becomes the last move, and the checks are read from the board again.
    void MarkMove(const CMove& move);
    void MarkChecks();
    // The side to move after `move`, whose squares the board `after` shows.
    void MarkSideToMove(const std::optional<CMove>& move);
    void CollectTints();
    void RebuildPiecesLocked();
    void ClearPieceGrid();

    // What a move's animation needs to know of the chess set after the move: the sizes of the
    // captured sets and whether the square beside the destination (a pawn taken en passant) is
    // empty now.
    struct CMoveFacts {
        int capturedByWhite = 0;
        int capturedByBlack = 0;
        bool besideDestinationEmpty = false;
    };
    CMoveFacts ReadMoveFacts(const CMove& move) const;

    // A move whose animation runs: the pieces that move (the second one taken, castled or
    // passed, or none), the rebuild they belong to, and for a promotion the piece that takes
    // the pawn's place once it has arrived.
    struct CRunningMove {
        std::array<C3DObjPiece*, 2> pieces{};
        std::uint64_t generation = 0;
        EPieceType promotion = Pawn;
        EPieceColor promotionColor = White;
        int promotionFile = 0;
        int promotionRank = 0;
        std::uint32_t startTick = 0;
    };

    void AnimationThread();
    void AnimateWhileRunning();
    // With objectsMutex held: takes the move the chess set hands over, if any, and starts its
    // animation at tick `now`; none when nothing was handed over or nothing moves.
    std::optional<CRunningMove> TakeMove(std::uint32_t now);
    // With objectsMutex held: starts the animations of one executed move at tick `now` and
    // keeps pieceGrid in step with the board.
    std::optional<CRunningMove> StartMove(const CMove& move, const CMoveFacts& facts,
                                          std::uint32_t now);
    // With objectsMutex held, once the move's pieces have stopped and no rebuild came between.
    void FinishMove(const CRunningMove& running);
    // Polls until none of the pieces animates any more; false when the pieces were rebuilt
    // (or the scene ends) meanwhile, so that the pointers must not be used again.
    bool WaitUntilStopped(const std::array<C3DObjPiece*, 2>& pieces, std::uint64_t generation);

    CChessSet& chessSet;
    IGLSurface* surface = nullptr;

    std::mutex objectsMutex; // guards objects, pieceGrid and the tints' squares
    std::vector<std::unique_ptr<A3DObject>> objects;
    std::array<std::array<C3DObjPiece*, 8>, 8> pieceGrid{};
    std::uint64_t piecesGeneration = 0; // counts rebuilds of the piece objects
    // The pieces of the last frame and their shadows, index for index; guarded by objectsMutex.
    std::vector<C3DObjPiece*> shadowedPieces;
    std::vector<SContactShadow> frameShadows;
    CContactShadowPass shadowPass;
    // The tints' squares as the chess set gave them, and the tints a frame draws from them (kept
    // to reuse their memory).
    std::optional<CMoveSquares> lastMoveSquares;
    std::vector<CBoardSquare> checkSquares;
    std::vector<SSquareTint> frameTints;
    // The side to move, and the side that begins the game on show.
    EPieceColor sideToMove = White;
    EPieceColor startingSide = White;
    C3DObjTurnMarker* turnMarker = nullptr; // one of objects
    // The clocks as last set, and as the frame draws them (kept to reuse their memory).
    std::array<std::u32string, 2> clocks;
    std::array<std::u32string, 2> frameClocks;
    EPieceColor frameSideToMove = White;
    SViewPose framePose; // the pose the frame is drawn with
    CBoardMarksPass marksPass;
    // The best move's arrow as set, and its triangles (made once per arrow, not per frame);
    // guarded by objectsMutex.
    std::optional<CBoardArrow> arrow;
    std::vector<std::array<float, 2>> arrowTriangles;
    std::atomic<bool> coordinatesShown{true};
    std::atomic<bool> lastMoveTinted{true};
    std::atomic<bool> checkTinted{true};

    bool surfaceMultisampled = false;     // the window's surface has multisample buffers
    CMultisampleTarget multisampleTarget; // used only when it has not

    CCamera camera{projectionDirty, buffersCreated};

    std::atomic<bool> resizePending{false};
    std::atomic<int> pendingWidth{0};
    std::atomic<int> pendingHeight{0};
    int viewportWidth = 0;
    int viewportHeight = 0;

    // Display lists of the bitmap font: glyphs 0..380, and a last one that stays empty.
    static constexpr int kFontLists = 382;
    std::uint32_t fontBase = 0;
    std::vector<float> glyphAdvances; // pixels, by character
    // Restarted by whoever begins a continuous redraw, counted by the render thread.
    std::atomic<std::uint32_t> fpsStartTick{0};
    std::atomic<std::uint32_t> fpsFrames{0};
    float fps = 0.0f;

    std::vector<std::thread> loaderThreads; // six model loaders and their watcher
    std::mutex loadFailureMutex;
    std::string loadFailure; // why a model could not be loaded; empty while none failed
    bool loadFailureReported = false;
    std::thread animationThread;

    std::function<std::uint32_t()> clock = TickCount;
    // Off-screen drawing: the move being animated, the picture's framebuffer, whether the
    // class-wide resources are another scene's.
    std::optional<CRunningMove> offscreenMove;
    COffscreenTarget offscreenTarget;
    bool classResourcesShared = false;

    std::mutex captureMutex;
    std::vector<std::promise<CFrameImage>> captures; // asked for, not yet taken up
    // Taken up at the start of a render pass, so that the frame that answers them shows every
    // change made before they were asked for.
    std::vector<std::promise<CFrameImage>> passCaptures;
};
