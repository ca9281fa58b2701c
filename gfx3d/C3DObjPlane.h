#pragma once

#include "gfx3d/A3DObject.h"

// The floor, reaching kReach units round its position in every direction, in the room tone and,
// round its position, the pool of light the scene's spot lights throw (gfx3d/FloorLightMap.h).
// The light does not change, so it is computed once into a light-map texture of kExtentX x
// kExtentZ units round the position (by the first Draw, and again only when the plane has
// moved); beyond it the map's border, the room tone, carries on. The floor is drawn as textured
// quads without lighting. The texture is shared by all planes and deleted by the last.
//
// Construction, drawing and destruction run on the thread that owns the OpenGL context.
class C3DObjPlane : public A3DObject {
public:
    static constexpr float kExtentX = 800.0f;
    static constexpr float kExtentZ = 800.0f;
    // Texels of the light map along each side: the pool's light changes slowly.
    static constexpr int kLightMapSize = 512;
    // Beyond the far plane of every view.
    static constexpr float kReach = 6000.0f;

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
