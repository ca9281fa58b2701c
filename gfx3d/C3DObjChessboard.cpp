#include "gfx3d/C3DObjChessboard.h"

#include "gfx3d/AssetPath.h"
#include "gfx3d/BoardGeometry.h"
#include "gfx3d/Material.h"
#include "gfx3d/Texture.h"

#include <GL/glew.h>
#include <array>
#include <cstddef>

namespace {

std::array<GLuint, 3> boardBuffers{}; // positions, normals, texture coordinates
GLuint woodTexture = 0;
GLuint redWoodTexture = 0;
int instanceCount = 0;

template <std::size_t N>
void FillBuffer(GLuint& buffer, const std::array<float, N>& data) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(data)), data.data(),
                 GL_STATIC_DRAW);
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
    FillBuffer(boardBuffers[0], kBlockPositions);
    FillBuffer(boardBuffers[1], kBlockNormals);
    FillBuffer(boardBuffers[2], kBlockTexCoords);
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
    glDeleteBuffers(static_cast<GLsizei>(boardBuffers.size()), boardBuffers.data());
    boardBuffers.fill(0);
}

void C3DObjChessboard::Draw() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, boardBuffers[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, boardBuffers[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, boardBuffers[2]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    SetDullMaterial(1.0f, 0.3f, 30.0f);

    const SVec3 board{posX, posY, posZ};
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int column = 0; column < kBoardSquares; ++column) {
            const SVec3 offset = SquareOffset(row, column, board);
            glPushMatrix();
            glBindTexture(GL_TEXTURE_2D,
                          IsRedWoodSquare(row, column) ? redWoodTexture : woodTexture);
            glTranslatef(offset.x, offset.y, offset.z);
            glDrawArrays(GL_QUADS, 0, kBlockVertexCount);
            glPopMatrix();
        }
    }

    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void C3DObjChessboard::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
