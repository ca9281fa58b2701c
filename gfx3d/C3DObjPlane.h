#pragma once

#include "gfx3d/A3DObject.h"

// The dark floor, 500 x 500 units around its position (x from -250 to 250, z from -252 to 248),
// lit by the scene's spot lights. The light does not change, so it is computed once into a
// light-map texture (by the first Draw, and again only when the plane has moved), and the floor
// is drawn as one textured quad without lighting. The texture is shared by all planes and
// deleted by the last.
//
// Construction, drawing and destruction run on the thread that owns the OpenGL context.
class C3DObjPlane : public A3DObject {
public:
    static constexpr float kExtentX = 500.0f;
    static constexpr float kExtentZ = 500.0f;
    // Texels of the light map along each side: about one per unit.
    static constexpr int kLightMapSize = 512;

    // At (0, 0, 0).
    C3DObjPlane();
    ~C3DObjPlane() override;

    // Leaves lighting and 2D texturing enabled.
    void Draw() override;
    // Places the plane at once.
    void MoveTo(float x, float y, float z) override;
    // Leaves out of the drawing the world rectangle from (left, front) to (right, back), back <
    // front: a part no one can see, such as the floor under the board.
    void LeaveOut(float left, float front, float right, float back);

    static int InstanceCount();

private:
    static void UpdateLightMap(float x, float z);

    struct SHole {
        float left, front, right, back;
    };
    SHole hole{};
    bool hasHole = false;
    static void DeleteClassObjects();
};
