#include "scene/Scene.h"

#include "common/GeneralException.h"
#include "common/Ticks.h"
#include "gfx3d/A3DObject.h"
#include "gfx3d/BoardArrow.h"
#include "gfx3d/C3DObjPiece.h"
#include "gfx3d/C3DObjTurnMarker.h"
#include "gfx3d/FloorLightMap.h"
#include "gfx3d/SceneLights.h"
#include "platform/GLSurface.h"
#include "scene/GlewStartup.h"
#include "scene/RenderMemory.h"
#include "scene/ViewProjection.h"

#include <GL/glew.h>
#include <algorithm>

namespace {

constexpr GLenum kLights[4] = {GL_LIGHT4, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};
constexpr GLenum kRimLight = GL_LIGHT5; // on only while the pieces are drawn

// Translucent over either wood: amber for the last move, red for a king in check.
constexpr SSquareTint kLastMoveTint{0, 0, 1.0f, 0.78f, 0.1f, 0.45f};
constexpr SSquareTint kCheckTint{0, 0, 0.9f, 0.0f, 0.0f, 0.65f};

} // namespace

CScene::CScene(CChessSet& chessSet) : chessSet(chessSet) {
}

CScene::~CScene() = default;

void CScene::EndWindowMove() {
    std::uint32_t current = windowMoveRedraw;
    while (current > 0 && !windowMoveRedraw.compare_exchange_weak(current, current - 1)) {
    }
}

void CScene::RequestResize(int width, int height) {
    pendingWidth = width;
    pendingHeight = height;
    resizePending = true;
}

std::future<CFrameImage> CScene::RequestCapture() {
    const std::lock_guard lock(captureMutex);
    captures.emplace_back();
    return captures.back().get_future();
}

void CScene::RenderThread(IGLSurface& glSurface, const std::atomic<bool>& appRunning) {
    KeepFrameSizedBlocksForReuse();
    surface = &glSurface;
    camera.SetScreenSize(glSurface.DesktopWidth(), glSurface.DesktopHeight());
    if (!InitOpenGL()) {
        surface = nullptr;
        return;
    }
    renderRunning = true;
    // Nothing may leave the thread: a failure is reported (the program then ends) and the
    // thread still releases what it made.
    try {
        DrawWhileRunning(appRunning);
    } catch (const CGeneralException& e) {
        glSurface.ReportFatalError("The 3D view failed: " + e.GetMessage());
    } catch (const std::exception& e) {
        glSurface.ReportFatalError(std::string("The 3D view failed: ") + e.what());
    }
    renderRunning = false;
    ReleaseScene();
    multisampleTarget.Release();
    glDeleteLists(fontBase, kFontLists);
    glSurface.DestroyContext();
    surface = nullptr;
    // Whoever still waits for a picture gets a broken promise instead of a hang.
    passCaptures.clear();
    const std::lock_guard lock(captureMutex);
    captures.clear();
}

void CScene::DrawWhileRunning(const std::atomic<bool>& appRunning) {
    while (appRunning) {
        if (!UpdateLoading()) {
            continue;
        }
        if (resizePending) {
            ResizeViewport(pendingWidth, pendingHeight);
        }
        {
            const std::lock_guard lock(captureMutex);
            for (auto& capture : captures) {
                passCaptures.push_back(std::move(capture));
            }
            captures.clear();
        }
        const bool captureWaiting = !passCaptures.empty();
        if (projectionDirty.exchange(false)) {
            ResizeViewport(viewportWidth, viewportHeight);
            DrawFrame();
        } else if (continuousRedraw != 0 || camera.Moving()) {
            DrawFrame();
        } else if (windowMoveRedraw != 0) {
            DrawFrame();
            SleepMs(200);
        } else if (captureWaiting) {
            DrawFrame();
        } else {
            SleepMs(100);
        }
    }
}

bool CScene::InitOpenGL() {
    std::string error;
    if (!surface->CreateContext(error)) {
        surface->ReportFatalError("OpenGL could not be started: " + error);
        return false;
    }
    error = InitGlewOnce();
    if (!error.empty()) {
        surface->ReportFatalError("OpenGL could not be started: " + error);
        surface->DestroyContext();
        return false;
    }
    GLint sampleBuffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    surfaceMultisampled = sampleBuffers > 0;
    SetUpContext();
    ResizeViewport(surface->Width(), surface->Height());
    return true;
}

void CScene::SetUpContext() {
    glEnable(GL_LIGHTING);
    for (GLenum light : kLights) {
        glEnable(light);
    }
    // Highlights are added after the texture, so that they show on dark wood too.
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glEnable(GL_DEPTH_TEST);
    // Every surface is closed or seen from one side only: faces turned away are never seen.
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_SMOOTH);
    glClearColor(kBackdropColour[0], kBackdropColour[1], kBackdropColour[2], 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    BuildFontLists();
}

void CScene::ResizeViewport(int width, int height) {
    SetViewport(width, height);
    DrawFrame();
}

void CScene::SetViewport(int width, int height) {
    height = std::max(height, 1);
    glViewport(0, 0, width, height);
    viewportWidth = width;
    viewportHeight = height;
    resizePending = false;
}

void CScene::ApplyView(std::uint32_t now) {
    const double aspect = static_cast<double>(viewportWidth) / std::max(viewportHeight, 1);
    framePose = camera.Pose(now, aspect);
    const SViewMatrices matrices = ViewMatrices(framePose, aspect);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(matrices.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(matrices.modelview.data());
}

void CScene::SetupLights() {
    for (int i = 0; i < 4; ++i) {
        const SSpotLight& light = kSceneLights[static_cast<std::size_t>(i)];
        glLightfv(kLights[i], GL_AMBIENT, kLightAmbient.data());
        glLightfv(kLights[i], GL_DIFFUSE, kLightDiffuse.data());
        glLightfv(kLights[i], GL_POSITION, light.position.data());
        glLightfv(kLights[i], GL_SPOT_DIRECTION, light.direction.data());
        glLightf(kLights[i], GL_SPOT_CUTOFF, kSpotCutoffDegrees);
        glLightf(kLights[i], GL_SPOT_EXPONENT, kSpotExponent);
        glLightfv(kLights[i], GL_SPECULAR, kLightSpecular.data());
    }
    // The rim light stays behind the board as the camera moves: it is placed in the camera's
    // space.
    glPushMatrix();
    glLoadIdentity();
    glLightfv(kRimLight, GL_POSITION, kRimLightDirection.data());
    glPopMatrix();
    glLightfv(kRimLight, GL_AMBIENT, kLightAmbient.data());
    glLightfv(kRimLight, GL_DIFFUSE, kRimLightDiffuse.data());
    glLightfv(kRimLight, GL_SPECULAR, kRimLightSpecular.data());
}

void CScene::DrawFrame() {
    const std::uint32_t now = clock();
    RenderView(now, 0);
    camera.FrameDrawn(now);
    // A picture shows the view at rest: while the camera moves it waits for a later frame.
    if (!camera.Moving()) {
        FulfilCapture();
    }
    surface->SwapBuffers();
    ++framesDrawn;
}

void CScene::RenderView(std::uint32_t now, unsigned resolveTarget) {
    const bool smooth = smoothEdges;
    bool multisampled = false;
    if (surfaceMultisampled) {
        smooth ? glEnable(GL_MULTISAMPLE) : glDisable(GL_MULTISAMPLE);
    } else if (smooth) {
        multisampled = multisampleTarget.Begin(viewportWidth, viewportHeight);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyView(now);
    SetupLights();
    DrawObjects(now);
    DrawClocks();
    DrawGameOver();
    DrawFps();
    if (multisampled) {
        multisampleTarget.End(resolveTarget);
    }
}

// The pieces are moved on to one moment first; the board and the floor are drawn, then what
// lies on the board (coordinates, tints) and the pieces' shadows, then the pieces. What the
// shadows were drawn from is kept for PieceOn and PiecesBesideTheBoard.
void CScene::DrawObjects(std::uint32_t now) {
    const std::lock_guard lock(objectsMutex);
    if (turnMarker) {
        turnMarker->SetSide(sideToMove);
    }
    frameSideToMove = sideToMove;
    for (std::size_t side = 0; side < clocks.size(); ++side) {
        frameClocks[side] = clocks[side];
    }
    shadowedPieces.clear();
    frameShadows.clear();
    for (const auto& object : objects) {
        if (auto* piece = dynamic_cast<C3DObjPiece*>(object.get())) {
            piece->Advance(now);
            shadowedPieces.push_back(piece);
            frameShadows.push_back(
                ContactShadowOf({piece->X(), piece->Y(), piece->Z()}, piece->Alpha()));
        } else {
            object->Draw();
        }
    }
    if (coordinatesShown) {
        marksPass.DrawCoordinates(camera.SideInFront());
    }
    CollectTints();
    marksPass.DrawTints(frameTints);
    shadowPass.Draw(frameShadows);
    marksPass.DrawArrow(arrowTriangles);
    glEnable(kRimLight);
    for (C3DObjPiece* piece : shadowedPieces) {
        piece->DrawModel();
    }
    glDisable(kRimLight);
}

void CScene::CollectTints() {
    frameTints.clear();
    if (lastMoveSquares && lastMoveTinted) {
        for (const CBoardSquare& square : {lastMoveSquares->from, lastMoveSquares->to}) {
            SSquareTint tint = kLastMoveTint;
            tint.file = square.file;
            tint.rank = square.rank;
            frameTints.push_back(tint);
        }
    }
    if (checkTinted) {
        for (const CBoardSquare& square : checkSquares) {
            SSquareTint tint = kCheckTint;
            tint.file = square.file;
            tint.rank = square.rank;
            frameTints.push_back(tint);
        }
    }
}

void CScene::MarkMove(const CMove& move) {
    lastMoveSquares = MovedSquares(move, chessSet.Board());
    MarkSideToMove(move);
    MarkChecks();
}

void CScene::MarkSideToMove(const std::optional<CMove>& move) {
    sideToMove = startingSide;
    if (move) {
        const CBoardSquare to = MovedSquares(*move, chessSet.Board()).to;
        const CField field = chessSet.Board().GetField(to.file, to.rank);
        if (!field.IsEmpty()) {
            sideToMove = field.Piece().color == White ? Black : White;
        }
    }
}

void CScene::SetStartingSide(EPieceColor side) {
    {
        const std::lock_guard lock(objectsMutex);
        startingSide = side;
        if (!lastMoveSquares) {
            sideToMove = side;
        }
    }
    projectionDirty = true;
}

EPieceColor CScene::SideToMove() {
    const std::lock_guard lock(objectsMutex);
    return sideToMove;
}

void CScene::SetClocks(const std::string& white, const std::string& black) {
    {
        const std::lock_guard lock(objectsMutex);
        clocks[White].assign(white.begin(), white.end());
        clocks[Black].assign(black.begin(), black.end());
    }
    projectionDirty = true;
}

void CScene::SetBestMoveArrow(const std::optional<CBoardArrow>& newArrow) {
    {
        const std::lock_guard lock(objectsMutex);
        if (arrow == newArrow) {
            return;
        }
        arrow = newArrow;
        arrowTriangles.clear();
        if (arrow) {
            arrowTriangles =
                BoardArrowTriangles(arrow->fromFile, arrow->fromRank, arrow->toFile, arrow->toRank);
        }
    }
    projectionDirty = true;
}

std::optional<CBoardArrow> CScene::BestMoveArrow() {
    const std::lock_guard lock(objectsMutex);
    return arrow;
}

void CScene::MarkChecks() {
    checkSquares = KingsInCheck(chessSet.Board());
}

void CScene::ShowLastMove(const std::optional<CMove>& move) {
    {
        const std::lock_guard lock(objectsMutex);
        lastMoveSquares.reset();
        if (move) {
            lastMoveSquares = MovedSquares(*move, chessSet.Board());
        }
        MarkSideToMove(move);
    }
    projectionDirty = true;
}

void CScene::ShowCoordinates(bool on) {
    coordinatesShown = on;
    projectionDirty = true;
}

void CScene::ShowLastMoveTint(bool on) {
    lastMoveTinted = on;
    projectionDirty = true;
}

void CScene::ShowCheckTint(bool on) {
    checkTinted = on;
    projectionDirty = true;
}

CSquareTints CScene::TintedSquares() {
    const std::lock_guard lock(objectsMutex);
    CSquareTints tints;
    if (lastMoveTinted) {
        tints.lastMove = lastMoveSquares;
    }
    if (checkTinted) {
        tints.check = checkSquares;
    }
    return tints;
}

void CScene::FulfilCapture() {
    std::vector<std::promise<CFrameImage>> waiting;
    waiting.swap(passCaptures);
    if (waiting.empty()) {
        return;
    }
    CFrameImage image;
    image.width = viewportWidth;
    image.height = viewportHeight;
    image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    // OpenGL's rows run bottom to top.
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(image.rgba.begin() + static_cast<std::ptrdiff_t>(top * stride),
                         image.rgba.begin() + static_cast<std::ptrdiff_t>((top + 1) * stride),
                         image.rgba.begin() + static_cast<std::ptrdiff_t>(bottom * stride));
    }
    for (auto& promise : waiting) {
        promise.set_value(image);
    }
}
