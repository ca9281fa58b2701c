#pragma once

#include "gfx3d/A3DObject.h"

// The 8 x 8 board of wooden blocks, 200 x 200 units from its position towards +x and -z, its
// top face 7 units above its position, drawn as one batch of blocks per wood, in a dark wooden
// frame kFrameWidth wide (gfx3d/BoardFrame.h). All boards share the buffers and the two wood
// textures, created by the first board and deleted by the last.
//
// Construction, drawing and destruction run on the thread that owns the OpenGL context.
class C3DObjChessboard : public A3DObject {
public:
    // At (0, 0, 0). The first board creates the buffers and loads "red_wood.tga" and
    // "wood.tga"; a texture that cannot be read throws C3DObjectException and leaves nothing
    // behind.
    C3DObjChessboard();
    ~C3DObjChessboard() override;

    void Draw() override;
    // Places the board at once.
    void MoveTo(float x, float y, float z) override;

    static int InstanceCount();

private:
    static void CreateBoardBuffers();
    static void LoadBoardTextures();
    static void DeleteClassObjects();
};
