#include "gfx3d/C3DObjPiece.h"

#include "common/Ticks.h"
#include "gfx3d/AnimationCurves.h"
#include "gfx3d/AssetPath.h"
#include "gfx3d/GfxExceptions.h"
#include "gfx3d/Material.h"
#include "gfx3d/MeshWeld.h"
#include "gfx3d/OBJLoader.h"
#include "gfx3d/PieceModel.h"
#include "gfx3d/Texture.h"

#include <GL/glew.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kKindCount = 6;

// Class-wide data of one piece kind. The mesh lives from LoadModel to CreateVBO; a flag is set
// (release) after the data it announces is written. vertexCount counts triangle corners, the
// indices drawn.
struct SClassModel {
    std::atomic<bool> modelLoaded{false};
    std::atomic<bool> buffersCreated{false};
    std::atomic<int> vertexCount{0};
    SIndexedMesh mesh;
    std::array<GLuint, 4> buffers{}; // positions, normals, texture coordinates, indices
    GLenum indexType = GL_UNSIGNED_INT;
};

std::array<SClassModel, kKindCount> classModels; // indexed by EPieceType

std::atomic<bool> texturesLoaded{false};
GLuint whiteTexture = 0;
GLuint blackTexture = 0;

SClassModel& ModelOf(EPieceType kind) {
    return classModels.at(static_cast<std::size_t>(kind));
}

void LoadPieceTexture(const char* fileName, GLuint& texture) {
    LoadTexture(AssetPath(fileName), texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glEnable(GL_TEXTURE_2D);
}

void DeleteBuffers(SClassModel& model) {
    glDeleteBuffers(static_cast<GLsizei>(model.buffers.size()), model.buffers.data());
    model.buffers.fill(0);
}

} // namespace

C3DObjPiece::C3DObjPiece(float x, float y, float z, EPieceColor color)
    : A3DObject(x, y, z), color(color), startX(x), startY(y), startZ(z), targetX(x), targetY(y),
      targetZ(z) {
}

void C3DObjPiece::StartAnimation(float x, float y, float z, std::uint32_t type) {
    StartAnimation(x, y, z, type, TickCount());
}

void C3DObjPiece::StartAnimation(float x, float y, float z, std::uint32_t type, std::uint32_t now) {
    animationStart = now;
    animationType = type;
    alpha = 1.0f;
    if (type < kAnimationHold) {
        startX = posX;
        startY = posY;
        startZ = posZ;
        targetX = x;
        targetY = y;
        targetZ = z;
    }
    animating.store(true, std::memory_order_release);
}

void C3DObjPiece::Advance(std::uint32_t now) {
    if (!animating.load(std::memory_order_relaxed)) {
        return;
    }
    // A moment taken just before the animation started counts as its start.
    const std::uint32_t sinceStart = now - animationStart;
    const std::uint32_t elapsed = static_cast<std::int32_t>(sinceStart) < 0 ? 0 : sinceStart;
    const SAnimationFrame frame =
        AnimationFrame({startX, startY, startZ}, {targetX, targetY, targetZ}, animationType,
                       AnimationProgress(elapsed, animationDuration));
    if (animationType == kAnimationFadeAndDrop) {
        alpha = frame.alpha;
    }
    if (frame.setsPosition) {
        posX = frame.position.x;
        posY = frame.position.y;
        posZ = frame.position.z;
    }
    if (elapsed > animationDuration) {
        posX = targetX;
        posY = targetY;
        posZ = targetZ;
        alpha = 1.0f;
        animating.store(false, std::memory_order_release);
    }
}

void C3DObjPiece::Draw() {
    Advance(TickCount());
    DrawModel();
}

void C3DObjPiece::DrawModel() {
    const SClassModel& model = ModelOf(Kind());
    if (!model.buffersCreated.load(std::memory_order_acquire)) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, model.buffers[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, model.buffers[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, model.buffers[2]);
    glTexCoordPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.buffers[3]);

    SetPieceMaterial(color != White);
    glBindTexture(GL_TEXTURE_2D, color == White ? whiteTexture : blackTexture);

    // The prepared model is mirrored in z, which turns its counter-clockwise faces clockwise.
    glFrontFace(GL_CW);
    glPushMatrix();
    glTranslatef(posX, posY, posZ);
    const bool fading =
        animating.load(std::memory_order_relaxed) && animationType == kAnimationFadeAndDrop;
    if (fading) {
        glEnable(GL_BLEND);
        glEnable(GL_COLOR_MATERIAL);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
    }
    glDrawElements(GL_TRIANGLES, model.vertexCount.load(std::memory_order_relaxed), model.indexType,
                   nullptr);
    if (fading) {
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_BLEND);
    }
    glPopMatrix();
    glFrontFace(GL_CCW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void C3DObjPiece::LoadModel(EPieceType kind) {
    SClassModel& model = ModelOf(kind);
    SIndexedMesh mesh;
    {
        COBJLoader loader;
        loader.Load(AssetPath(PieceModelFile(kind)));
        const SPieceModelArrays arrays = PreparePieceModel(
            loader.Vertices(), loader.Normals(), loader.TexCoords(), loader.VertexCount());
        // The same triangles, but each corner shared by several of them is lit once by the
        // renderer instead of once per triangle.
        mesh = WeldCorners(arrays.positions.data(), arrays.normals.data(), arrays.texCoords.data(),
                           arrays.vertexCount);
    }
    model.vertexCount.store(static_cast<int>(mesh.indices.size()), std::memory_order_relaxed);
    model.mesh = std::move(mesh);
    model.modelLoaded.store(true, std::memory_order_release);
}

void C3DObjPiece::CreateVBO(EPieceType kind) {
    SClassModel& model = ModelOf(kind);
    if (!model.modelLoaded.load(std::memory_order_acquire)) {
        throw C3DObjectException("Model not loaded!");
    }
    if (model.buffersCreated.exchange(false, std::memory_order_acq_rel)) {
        DeleteBuffers(model);
    }
    const SIndexedMesh& mesh = model.mesh;
    const std::vector<float>* sources[] = {&mesh.positions, &mesh.normals, &mesh.texCoords};
    glGenBuffers(static_cast<GLsizei>(model.buffers.size()), model.buffers.data());
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        glBindBuffer(GL_ARRAY_BUFFER, model.buffers[i]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sources[i]->size() * sizeof(float)),
                     sources[i]->data(), GL_STATIC_DRAW);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.buffers[3]);
    // Two-byte indices where the model allows them: half the index data read per draw.
    if (mesh.UniqueVertexCount() <= 65536) {
        const std::vector<GLushort> shortIndices(mesh.indices.begin(), mesh.indices.end());
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(shortIndices.size() * sizeof(GLushort)),
                     shortIndices.data(), GL_STATIC_DRAW);
        model.indexType = GL_UNSIGNED_SHORT;
    } else {
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
                     mesh.indices.data(), GL_STATIC_DRAW);
        model.indexType = GL_UNSIGNED_INT;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    model.mesh = SIndexedMesh{};
    model.buffersCreated.store(true, std::memory_order_release);
}

bool C3DObjPiece::ModelLoaded(EPieceType kind) {
    return ModelOf(kind).modelLoaded.load(std::memory_order_acquire);
}

bool C3DObjPiece::BuffersCreated(EPieceType kind) {
    return ModelOf(kind).buffersCreated.load(std::memory_order_acquire);
}

int C3DObjPiece::VertexCount(EPieceType kind) {
    return ModelOf(kind).vertexCount.load(std::memory_order_relaxed);
}

int C3DObjPiece::LoadedModelCount() {
    int count = 0;
    for (const SClassModel& model : classModels) {
        count += model.modelLoaded.load(std::memory_order_acquire) ? 1 : 0;
    }
    return count;
}

void C3DObjPiece::LoadTextures() {
    if (texturesLoaded.load(std::memory_order_acquire)) {
        return;
    }
    GLuint white = 0;
    GLuint black = 0;
    LoadPieceTexture("white_piece.tga", white);
    try {
        LoadPieceTexture("black_piece.tga", black);
    } catch (...) {
        glDeleteTextures(1, &white);
        throw;
    }
    whiteTexture = white;
    blackTexture = black;
    texturesLoaded.store(true, std::memory_order_release);
}

bool C3DObjPiece::TexturesLoaded() {
    return texturesLoaded.load(std::memory_order_acquire);
}

void C3DObjPiece::ReleaseClassResources() {
    for (SClassModel& model : classModels) {
        if (model.buffersCreated.exchange(false, std::memory_order_acq_rel)) {
            DeleteBuffers(model);
        }
        model.modelLoaded.store(false, std::memory_order_release);
        model.vertexCount.store(0, std::memory_order_relaxed);
        model.mesh = SIndexedMesh{};
    }
    if (texturesLoaded.exchange(false, std::memory_order_acq_rel)) {
        const GLuint textures[] = {whiteTexture, blackTexture};
        glDeleteTextures(2, textures);
        whiteTexture = 0;
        blackTexture = 0;
    }
}

void C3DObjPiece::PrepareClass(EPieceType kind) {
    LoadTextures();
    if (!BuffersCreated(kind)) {
        if (!ModelLoaded(kind)) {
            LoadModel(kind);
        }
        CreateVBO(kind);
    }
}
