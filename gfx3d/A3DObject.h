#pragma once

// Anything the scene draws: a position in world units that the object can draw itself at and
// can be sent to. Objects are drawn on the thread that owns the OpenGL context.
class A3DObject {
public:
    A3DObject(float x, float y, float z) : posX(x), posY(y), posZ(z) {}
    A3DObject(const A3DObject&) = delete;
    A3DObject& operator=(const A3DObject&) = delete;
    virtual ~A3DObject() = default;

    virtual void Draw() = 0;
    virtual void MoveTo(float x, float y, float z) = 0;

    float X() const { return posX; }
    float Y() const { return posY; }
    float Z() const { return posZ; }

protected:
    float posX;
    float posY;
    float posZ;
};
