#include "common/GeneralException.h"
#include "gfx3d/C3DObjPiece.h"
#include "platform/GLSurface.h"
#include "scene/GlewStartup.h"
#include "scene/Scene.h"

#include <GL/glew.h>
#include <algorithm>

void CScene::BeginOffscreen(IGLSurface& offscreen, bool sharedClassResources) {
    surface = &offscreen;
    classResourcesShared = sharedClassResources;
    std::string error;
    if (!offscreen.CreateContext(error)) {
        surface = nullptr;
        throw CGeneralException("CScene::BeginOffscreen(): " + error);
    }
    error = InitGlewOnce();
    if (!error.empty()) {
        throw CGeneralException("CScene::BeginOffscreen(): " + error);
    }
    surfaceMultisampled = false;
    SetUpContext();
    offscreenTarget.Create(offscreen.Width(), offscreen.Height());
    SetViewport(offscreen.Width(), offscreen.Height());
    buffersCreated = true;
    // A texture or model that cannot be read throws from here: the caller reports it.
    BuildScene();
    sceneReady = true;
}

void CScene::TakeMoveAt(std::uint32_t now) {
    const std::lock_guard lock(objectsMutex);
    if (offscreenMove && piecesGeneration == offscreenMove->generation) {
        // The next move comes before the last one's pieces arrived: they arrive at once.
        for (C3DObjPiece* piece : offscreenMove->pieces) {
            if (piece != nullptr) {
                piece->Advance(offscreenMove->startTick + piece->AnimationDuration() + 1);
            }
        }
        FinishMove(*offscreenMove);
    }
    offscreenMove = TakeMove(now);
}

void CScene::DrawAt(std::uint32_t now) {
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget.Framebuffer());
    RenderView(now, offscreenTarget.Framebuffer());
    const std::lock_guard lock(objectsMutex);
    if (!offscreenMove) {
        return;
    }
    if (piecesGeneration != offscreenMove->generation) {
        offscreenMove.reset(); // rebuilt from the board meanwhile
        return;
    }
    const auto& pieces = offscreenMove->pieces;
    if (std::none_of(pieces.begin(), pieces.end(),
                     [](const C3DObjPiece* p) { return p && p->IsAnimating(); })) {
        FinishMove(*offscreenMove);
        offscreenMove.reset();
    }
}

void CScene::ReadPicture(std::vector<std::uint8_t>& rgba) {
    rgba.resize(static_cast<std::size_t>(viewportWidth) * viewportHeight * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget.Framebuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewportWidth, viewportHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

void CScene::EndOffscreen() noexcept {
    if (surface == nullptr) {
        return;
    }
    {
        const std::lock_guard lock(objectsMutex);
        offscreenMove.reset();
    }
    ReleaseScene();
    multisampleTarget.Release();
    offscreenTarget.Release();
    if (fontBase != 0) {
        glDeleteLists(fontBase, kFontLists);
        fontBase = 0;
    }
    surface->DestroyContext();
    surface = nullptr;
}
