#include "gfx3d/C3DObjChessboard.h"

#include "gfx3d/AssetPath.h"
#include "gfx3d/BoardFrame.h"
#include "gfx3d/BoardGeometry.h"
#include "gfx3d/Material.h"
#include "gfx3d/Texture.h"

#include <GL/glew.h>
#include <array>
#include <cstddef>
#include <vector>

namespace {

// The blocks of each wood in one batch: positions, normals, texture coordinates.
struct SWoodBuffers {
    std::array<GLuint, 3> buffers{};
    GLsizei vertexCount = 0;
};
SWoodBuffers woodBlocks;
SWoodBuffers redWoodBlocks;
SWoodBuffers frame; // in red wood, darkened by its material
GLuint woodTexture = 0;
GLuint redWoodTexture = 0;
int instanceCount = 0;
// The frame is of the dark squares' wood, a shade darker, as a frame stained apart.
constexpr GLfloat kFrameShade = 0.5f;

void FillBuffer(GLuint& buffer, const std::vector<float>& data) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
                 GL_STATIC_DRAW);
}

void FillWoodBuffers(SWoodBuffers& wood, const SBoardBatch& batch) {
    FillBuffer(wood.buffers[0], batch.positions);
    FillBuffer(wood.buffers[1], batch.normals);
    FillBuffer(wood.buffers[2], batch.texCoords);
    wood.vertexCount = batch.VertexCount();
}

void DeleteWoodBuffers(SWoodBuffers& wood) {
    glDeleteBuffers(static_cast<GLsizei>(wood.buffers.size()), wood.buffers.data());
    wood = SWoodBuffers{};
}

void DrawWood(const SWoodBuffers& wood, GLuint texture) {
    glBindBuffer(GL_ARRAY_BUFFER, wood.buffers[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, wood.buffers[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, wood.buffers[2]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDrawArrays(GL_QUADS, 0, wood.vertexCount);
}

void LoadWoodTexture(const char* fileName, GLuint& texture) {
    LoadTexture(AssetPath(fileName), texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

C3DObjChessboard::C3DObjChessboard() : A3DObject(0.0f, 0.0f, 0.0f) {
    if (instanceCount == 0) {
        try {
            CreateBoardBuffers();
            LoadBoardTextures();
        } catch (...) {
            DeleteClassObjects();
            throw;
        }
    }
    ++instanceCount;
}

C3DObjChessboard::~C3DObjChessboard() {
    if (--instanceCount == 0) {
        DeleteClassObjects();
    }
}

int C3DObjChessboard::InstanceCount() {
    return instanceCount;
}

void C3DObjChessboard::CreateBoardBuffers() {
    FillWoodBuffers(woodBlocks, BuildBoardBatch(false));
    FillWoodBuffers(redWoodBlocks, BuildBoardBatch(true));
    FillWoodBuffers(frame, BuildFrameBatch());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void C3DObjChessboard::LoadBoardTextures() {
    LoadWoodTexture("red_wood.tga", redWoodTexture);
    LoadWoodTexture("wood.tga", woodTexture);
}

void C3DObjChessboard::DeleteClassObjects() {
    const GLuint textures[] = {woodTexture, redWoodTexture};
    glDeleteTextures(2, textures);
    woodTexture = 0;
    redWoodTexture = 0;
    DeleteWoodBuffers(woodBlocks);
    DeleteWoodBuffers(redWoodBlocks);
    DeleteWoodBuffers(frame);
}

// One draw per wood instead of one per square, and one for the frame: each draw and each change
// of texture costs a software renderer as much as many triangles.
void C3DObjChessboard::Draw() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    SetDullMaterial(1.0f, 0.3f, 30.0f);
    glPushMatrix();
    glTranslatef(posX, posY, posZ);
    DrawWood(redWoodBlocks, redWoodTexture);
    DrawWood(woodBlocks, woodTexture);
    SetDullMaterial(kFrameShade, kFrameShade * 0.3f, 30.0f);
    DrawWood(frame, redWoodTexture);
    glPopMatrix();
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void C3DObjChessboard::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
