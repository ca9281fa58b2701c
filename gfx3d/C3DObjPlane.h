#pragma once

#include "gfx3d/A3DObject.h"

// The dark floor, 500 x 500 units of 2 x 2 tiles around its position (x from -250 to 250,
// z from -252 to 248), drawn untextured. All planes share the class-wide buffers, created by the
// first plane and deleted by the last.
//
// Construction, drawing and destruction run on the thread that owns the OpenGL context.
class C3DObjPlane : public A3DObject {
public:
    static constexpr float kExtentX = 500.0f;
    static constexpr float kExtentZ = 500.0f;

    // At (0, 0, 0).
    C3DObjPlane();
    ~C3DObjPlane() override;

    // Leaves 2D texturing enabled.
    void Draw() override;
    // Places the plane at once.
    void MoveTo(float x, float y, float z) override;

    // Draws with one indexed call from the grid of corners shared by all tiles (the default), or
    // tile by tile from the buffers of one tile; both give the same picture. For comparing the
    // two.
    static void SetDrawPerTile(bool perTile);
    static bool DrawPerTile();

    static int InstanceCount();

private:
    static void CreatePlaneBuffers();
    static void DeleteClassObjects();
};
