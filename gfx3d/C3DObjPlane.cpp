#include "gfx3d/C3DObjPlane.h"

#include "gfx3d/BoardGeometry.h"
#include "gfx3d/Material.h"

#include <GL/glew.h>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// One tile's positions and normals; then the grid's positions and normals, and the indices of
// every tile's corners into the grid.
std::array<GLuint, 2> tileBuffers{};
std::array<GLuint, 2> floorBuffers{};
GLuint floorIndexBuffer = 0;
GLsizei floorIndexCount = 0;
GLenum floorIndexType = GL_UNSIGNED_INT;
int instanceCount = 0;
std::atomic<bool> drawPerTile{false};

void FillBuffer(GLuint& buffer, const float* data, std::size_t count) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(float)), data,
                 GL_STATIC_DRAW);
}

void BindPointers(const std::array<GLuint, 2>& buffers) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The tile loop: one tile's buffers drawn at every tile's offset.
void DrawTiles() {
    const int nx = FloorHalfTileCount(C3DObjPlane::kExtentX);
    const int nz = FloorHalfTileCount(C3DObjPlane::kExtentZ);
    for (int i = -nz; i < nz; ++i) {
        for (int j = -nx; j < nx; ++j) {
            const SVec3 offset = FloorTileOffset(i, j);
            glPushMatrix();
            glTranslatef(offset.x, offset.y, offset.z);
            glDrawArrays(GL_QUADS, 0, kFloorTileVertexCount);
            glPopMatrix();
        }
    }
}

} // namespace

C3DObjPlane::C3DObjPlane() : A3DObject(0.0f, 0.0f, 0.0f) {
    if (instanceCount == 0) {
        CreatePlaneBuffers();
    }
    ++instanceCount;
}

C3DObjPlane::~C3DObjPlane() {
    if (--instanceCount == 0) {
        DeleteClassObjects();
    }
}

void C3DObjPlane::SetDrawPerTile(bool perTile) {
    drawPerTile.store(perTile, std::memory_order_relaxed);
}

bool C3DObjPlane::DrawPerTile() {
    return drawPerTile.load(std::memory_order_relaxed);
}

int C3DObjPlane::InstanceCount() {
    return instanceCount;
}

void C3DObjPlane::CreatePlaneBuffers() {
    FillBuffer(tileBuffers[0], kFloorTilePositions.data(), kFloorTilePositions.size());
    FillBuffer(tileBuffers[1], kFloorTileNormals.data(), kFloorTileNormals.size());
    const SIndexedFloor floor = BuildIndexedFloor(kExtentX, kExtentZ);
    FillBuffer(floorBuffers[0], floor.positions.data(), floor.positions.size());
    FillBuffer(floorBuffers[1], floor.normals.data(), floor.normals.size());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glGenBuffers(1, &floorIndexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, floorIndexBuffer);
    // Two-byte indices where the grid allows them: half the index data read per frame.
    if (floor.VertexCount() <= 65536) {
        const std::vector<GLushort> shortIndices(floor.indices.begin(), floor.indices.end());
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(shortIndices.size() * sizeof(GLushort)),
                     shortIndices.data(), GL_STATIC_DRAW);
        floorIndexType = GL_UNSIGNED_SHORT;
    } else {
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(floor.indices.size() * sizeof(std::uint32_t)),
                     floor.indices.data(), GL_STATIC_DRAW);
        floorIndexType = GL_UNSIGNED_INT;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    floorIndexCount = static_cast<GLsizei>(floor.indices.size());
}

void C3DObjPlane::DeleteClassObjects() {
    glDeleteBuffers(static_cast<GLsizei>(tileBuffers.size()), tileBuffers.data());
    glDeleteBuffers(static_cast<GLsizei>(floorBuffers.size()), floorBuffers.data());
    glDeleteBuffers(1, &floorIndexBuffer);
    tileBuffers.fill(0);
    floorBuffers.fill(0);
    floorIndexBuffer = 0;
    floorIndexCount = 0;
}

void C3DObjPlane::Draw() {
    glDisable(GL_TEXTURE_2D);
    glColorMaterial(GL_FRONT, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    const bool perTile = DrawPerTile();
    BindPointers(perTile ? tileBuffers : floorBuffers);

    SetDullMaterial(0.05f, 0.0f, 0.0f);
    glColor3f(0.2f, 0.2f, 0.2f);

    glPushMatrix();
    glTranslatef(posX, posY, posZ);
    if (perTile) {
        DrawTiles();
    } else {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, floorIndexBuffer);
        glDrawElements(GL_QUADS, floorIndexCount, floorIndexType, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    glPopMatrix();

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);
}

void C3DObjPlane::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
