#include "gfx3d/A3DObject.h"
#include "gfx3d/C3DObjChessboard.h"
#include "gfx3d/C3DObjPiece.h"
#include "gfx3d/C3DObjPlane.h"
#include "gfx3d/PieceClasses.h"
#include "scene/Scene.h"

#include <GL/glew.h>

namespace {

// A piece on square (file, rank) stands at (25 file + 5, 0, -(25 rank + 5)).
std::unique_ptr<C3DObjPiece> MakePiece(const CPiece& piece, int file, int rank) {
    const float x = 25.0f * static_cast<float>(file) + 5.0f;
    const float z = -(25.0f * static_cast<float>(rank) + 5.0f);
    return Create3DPiece(piece.type, x, 0.0f, z, piece.color);
}

} // namespace

// Builds the scene on the render thread the first time it is asked: the board, the floor
// under its centre and a piece object for every occupied square of the chess set.
bool CScene::UpdateLoading() {
    if (sceneReady) {
        return true;
    }
    BuildScene();
    return true;
}

void CScene::BuildScene() {
    {
        const std::lock_guard lock(objectsMutex);
        objects.push_back(std::make_unique<C3DObjChessboard>());
        auto plane = std::make_unique<C3DObjPlane>();
        plane->MoveTo(100.0f, 0.0f, -100.0f);
        objects.push_back(std::move(plane));
        const CChessboardState& board = chessSet.Board();
        for (int file = 0; file < 8; ++file) {
            for (int rank = 0; rank < 8; ++rank) {
                const CField field = board.GetField(file, rank);
                if (field.IsEmpty()) {
                    pieceGrid[file][rank] = nullptr;
                    continue;
                }
                std::unique_ptr<C3DObjPiece> piece = MakePiece(field.Piece(), file, rank);
                pieceGrid[file][rank] = piece.get();
                objects.push_back(std::move(piece));
            }
        }
    }
    buffersCreated = true;
    sceneReady = true;
    projectionDirty = true;
}

// Destroys the objects, then the class-wide buffers and textures that the pieces share.
void CScene::ReleaseScene() {
    {
        const std::lock_guard lock(objectsMutex);
        for (auto& row : pieceGrid) {
            row.fill(nullptr);
        }
        objects.clear();
    }
    C3DObjPiece::ReleaseClassResources();
    sceneReady = false;
    buffersCreated = false;
}
