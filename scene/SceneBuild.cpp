#include "common/FileProblem.h"
#include "common/GeneralException.h"
#include "common/Ticks.h"
#include "gfx3d/A3DObject.h"
#include "gfx3d/AssetPath.h"
#include "gfx3d/BoardFrame.h"
#include "gfx3d/C3DObjCaptureMats.h"
#include "gfx3d/C3DObjChessboard.h"
#include "gfx3d/C3DObjPiece.h"
#include "gfx3d/C3DObjPlane.h"
#include "gfx3d/C3DObjTurnMarker.h"
#include "gfx3d/PieceClasses.h"
#include "gfx3d/PieceModel.h"
#include "gfx3d/Texture.h"
#include "platform/GLSurface.h"
#include "resources/StringTable.h"
#include "scene/Scene.h"
#include "scene/ScenePlacement.h"

#include <GL/glew.h>

namespace {

constexpr EPieceType kLoadOrder[6] = {Pawn, Bishop, Knight, Rook, Queen, King};

// The progress mark after "Loading models": one dot more than the models loaded so far.
constexpr std::string_view kMarks[6] = {".     ", "..    ", "...   ", "....  ", "..... ", "......"};

} // namespace

// The models load on six threads while a watcher counts them; the render thread meanwhile
// shows the progress. A model that cannot be read ends the wait at once: the user is told
// which file and why, and the program ends.
void CScene::StartModelLoaders() {
    loadingModels = true;
    loaderThreads.emplace_back([this] { WatchModelLoading(); });
    for (EPieceType kind : kLoadOrder) {
        loaderThreads.emplace_back([this, kind] {
            // Nothing may leave the thread: every failure ends the loading with its reason.
            std::string failure;
            try {
                C3DObjPiece::LoadModel(kind);
            } catch (const CGeneralException& e) {
                failure = e.GetMessage();
            } catch (const std::exception& e) {
                failure = e.what();
            }
            if (!failure.empty()) {
                const std::string path = AssetPath(PieceModelFile(kind));
                const std::string problem = DescribeFileProblem(path);
                const std::lock_guard lock(loadFailureMutex);
                if (loadFailure.empty()) {
                    loadFailure = "Cannot load the piece model '" + path + "': " +
                                  (problem.empty() ? failure : problem + " (" + failure + ")");
                }
            }
        });
    }
}

void CScene::WatchModelLoading() {
    for (;;) {
        SleepMs(150);
        modelsLoaded = C3DObjPiece::LoadedModelCount();
        bool failed = false;
        {
            const std::lock_guard lock(loadFailureMutex);
            failed = !loadFailure.empty();
        }
        if (modelsLoaded >= 6 || failed) {
            break;
        }
    }
    loadingModels = false;
}

void CScene::JoinLoaders() {
    for (std::thread& thread : loaderThreads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    loaderThreads.clear();
}

void CScene::DrawStatusText(std::string_view text) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PrintText(10, 10, 1.0f, 1.0f, 1.0f, std::u32string(text.begin(), text.end()));
    surface->SwapBuffers();
}

// One pass of the loading sequence; true once the scene is ready.
bool CScene::UpdateLoading() {
    if (sceneReady) {
        return true;
    }
    if (loaderThreads.empty() && !loadFailureReported) {
        StartModelLoaders();
    }
    if (loadingModels) {
        const int loaded = modelsLoaded;
        if (loaded <= 5) {
            DrawStatusText(std::string(strings::kLoadingModels) +
                           std::string(kMarks[std::max(loaded, 0)]));
        }
        SleepMs(100);
        return false;
    }
    JoinLoaders();
    {
        const std::lock_guard lock(loadFailureMutex);
        if (!loadFailure.empty()) {
            if (!loadFailureReported) {
                loadFailureReported = true;
                surface->ReportFatalError(loadFailure);
            }
            SleepMs(100);
            return false;
        }
    }
    DrawStatusText(strings::kCreatingVbo);
    try {
        for (EPieceType kind : kLoadOrder) {
            C3DObjPiece::CreateVBO(kind);
        }
        buffersCreated = true;
        BuildScene();
    } catch (const CGeneralException& e) {
        // A texture that cannot be read: the user is told which and why, and the program ends.
        loadFailureReported = true;
        surface->ReportFatalError(ExplainTextureFailure(e.GetMessage()));
        {
            const std::lock_guard lock(loadFailureMutex);
            loadFailure = e.GetMessage();
        }
        return false;
    }
    sceneReady = true;
    fpsStartTick = TickCount();
    DrawFrame();
    animationThread = std::thread([this] { AnimationThread(); });
    return false;
}

void CScene::BuildScene() {
    const std::lock_guard lock(objectsMutex);
    objects.push_back(std::make_unique<C3DObjChessboard>());
    auto plane = std::make_unique<C3DObjPlane>();
    plane->MoveTo(100.0f, 0.0f, -100.0f);
    // The framed board stands on the floor and hides the floor under it from every view.
    plane->LeaveOut(kFrameLeft, kFrameFront, kFrameRight, kFrameBack);
    objects.push_back(std::move(plane));
    objects.push_back(std::make_unique<C3DObjCaptureMats>());
    auto marker = std::make_unique<C3DObjTurnMarker>();
    turnMarker = marker.get();
    objects.push_back(std::move(marker));
    MarkChecks();
    // The pieces stand as the chess set holds them: the game chosen before the scene was built
    // (a file opened at start, a set-up position) has already placed them.
    RebuildPiecesLocked();
}

void CScene::ClearPieceGrid() {
    for (auto& file : pieceGrid) {
        file.fill(nullptr);
    }
}

void CScene::RebuildPieces() {
    const std::lock_guard lock(objectsMutex);
    MarkChecks();
    if (buffersCreated) {
        RebuildPiecesLocked();
    }
}

// The animation thread takes a move only while holding the lock, so under it a move is either
// taken (and its animation ends with the rebuild) or withdrawn here: never shown twice.
void CScene::ShowBoardNow() {
    const std::lock_guard lock(objectsMutex);
    if (chessSet.MoveReady()) {
        MarkMove(chessSet.LastMove()); // its result is on the board
    }
    chessSet.ClearMoveReady();
    MarkChecks();
    if (buffersCreated) {
        RebuildPiecesLocked();
    }
    projectionDirty = true;
}

// Replaces the piece objects (the board and the floor keep their places at the front) by
// new ones made from the chess set: one per piece on the board, entered in pieceGrid, and one
// per captured piece in its slot beside the board.
void CScene::RebuildPiecesLocked() {
    ++piecesGeneration;
    shadowedPieces.clear(); // until the next frame, no piece has a shadow drawn
    frameShadows.clear();
    std::erase_if(objects, [](const std::unique_ptr<A3DObject>& object) {
        return dynamic_cast<const C3DObjPiece*>(object.get()) != nullptr;
    });
    ClearPieceGrid();
    const CChessboardState& board = chessSet.Board();
    for (int rank = 0; rank < 8; ++rank) {
        for (int file = 0; file < 8; ++file) {
            const CField field = board.GetField(file, rank);
            if (field.IsEmpty()) {
                continue;
            }
            const CPiece piece = field.Piece();
            const CSquarePosition at = SquarePosition(file, rank);
            std::unique_ptr<C3DObjPiece> object =
                Create3DPiece(piece.type, at.x, 0.0f, at.z, piece.color);
            pieceGrid[static_cast<std::size_t>(file)][static_cast<std::size_t>(rank)] =
                object.get();
            objects.push_back(std::move(object));
        }
    }
    for (EPieceColor capturer : {White, Black}) {
        const CCapturedPiecesSet& captured = chessSet.Captured(capturer);
        for (int i = 0; i < captured.Count(); ++i) {
            const CPiece piece = captured.GetPiece(i);
            const CSquarePosition at = CapturedSlot(i + 1, capturer);
            objects.push_back(Create3DPiece(piece.type, at.x, kCapturedPieceY, at.z, piece.color));
        }
    }
}

// Stops the animation thread first, then destroys the objects and the class-wide buffers and
// textures that the pieces share.
void CScene::ReleaseScene() {
    if (animationThread.joinable()) {
        animationThread.join();
    }
    JoinLoaders();
    {
        const std::lock_guard lock(objectsMutex);
        ++piecesGeneration;
        ClearPieceGrid();
        shadowedPieces.clear();
        frameShadows.clear();
        turnMarker = nullptr;
        objects.clear();
    }
    shadowPass.Release();
    marksPass.Release();
    if (!classResourcesShared) {
        C3DObjPiece::ReleaseClassResources();
    }
    sceneReady = false;
    buffersCreated = false;
}

std::optional<CScenePiece> CScene::PieceOn(int file, int rank) {
    const std::lock_guard lock(objectsMutex);
    const C3DObjPiece* piece =
        pieceGrid[static_cast<std::size_t>(file)][static_cast<std::size_t>(rank)];
    if (!piece) {
        return std::nullopt;
    }
    return Describe(*piece);
}

// Called with objectsMutex held.
CScenePiece CScene::Describe(const C3DObjPiece& piece) const {
    CScenePiece shown{piece.Kind(), piece.Color(),       piece.X(),     piece.Y(),
                      piece.Z(),    piece.IsAnimating(), piece.Alpha(), {}};
    for (std::size_t i = 0; i < shadowedPieces.size(); ++i) {
        if (shadowedPieces[i] == &piece) {
            shown.shadow = frameShadows[i];
        }
    }
    return shown;
}

std::vector<CScenePiece> CScene::PiecesBesideTheBoard() {
    const std::lock_guard lock(objectsMutex);
    std::vector<CScenePiece> beside;
    for (const auto& object : objects) {
        const auto* piece = dynamic_cast<const C3DObjPiece*>(object.get());
        bool onBoard = false;
        for (const auto& file : pieceGrid) {
            for (const C3DObjPiece* entry : file) {
                onBoard = onBoard || entry == piece;
            }
        }
        if (piece && !onBoard) {
            beside.push_back(Describe(*piece));
        }
    }
    return beside;
}
