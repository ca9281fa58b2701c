#pragma once

#include "chess/Piece.h"
#include "gfx3d/A3DObject.h"

#include <atomic>
#include <cstdint>

// A chess piece of the scene: its colour and its move animation. The model of each piece kind
// is loaded once into class-wide vertex buffers shared by all pieces of that kind (see
// gfx3d/PieceClasses.h for the six classes); the two piece textures are shared by all kinds.
//
// Threads: LoadModel may run on worker threads, one per kind; everything else that is static,
// Draw, and the constructors of the piece classes, runs on the thread that owns the OpenGL
// context. IsAnimating() may be polled from any thread without a lock; StartAnimation, MoveTo,
// SetAnimationDuration and Draw of one piece must not run at the same time.
class C3DObjPiece : public virtual A3DObject {
public:
    static constexpr std::uint32_t kDefaultAnimationDuration = 300;

    // Starts an animation of `type` (gfx3d/AnimationCurves.h) towards (x, y, z), replacing a
    // running one, whose position reached so far becomes the start. Types from kAnimationHold up
    // keep the start and target of before. The animation's time starts at tick `now`, the
    // current tick count unless given.
    void StartAnimation(float x, float y, float z, std::uint32_t type, std::uint32_t now);
    void StartAnimation(float x, float y, float z, std::uint32_t type);
    // Moves a running animation on by the time passed, then draws the piece.
    void Draw() override;
    // Moves a running animation on to the tick count `now`, ending it once its time is over.
    // A frame advances every piece to one moment before it draws anything that follows them.
    void Advance(std::uint32_t now);
    // Draws the piece where it stands, with the opacity it has.
    void DrawModel();
    virtual EPieceType Kind() const = 0;

    EPieceColor Color() const { return color; }
    bool IsAnimating() const { return animating.load(std::memory_order_acquire); }
    std::uint32_t AnimationDuration() const { return animationDuration; }
    // Applies to animations started afterwards and to the running one.
    void SetAnimationDuration(std::uint32_t milliseconds) { animationDuration = milliseconds; }
    // The opacity the piece is drawn with: below 1 only while it fades out.
    float Alpha() const { return alpha; }

    // Loads and prepares the model of `kind`, welds its identical corners, and sets its
    // model-loaded flag. No OpenGL calls.
    // Throws what reading the file throws (CFileReaderException, COBJLoaderException).
    static void LoadModel(EPieceType kind);
    // Uploads the loaded model of `kind`, its unique vertices and its corner indices, into its
    // buffers and releases the arrays. Throws C3DObjectException "Model not loaded!" before
    // LoadModel.
    static void CreateVBO(EPieceType kind);
    static bool ModelLoaded(EPieceType kind);
    static bool BuffersCreated(EPieceType kind);
    // Triangle corners drawn, three per triangle.
    static int VertexCount(EPieceType kind);
    // How many of the six kinds have their model loaded; polled by the loading screen.
    static int LoadedModelCount();

    // Loads the white and the black piece texture unless they are loaded. Throws
    // C3DObjectException when a texture file cannot be read; nothing is kept then.
    static void LoadTextures();
    static bool TexturesLoaded();

    // Deletes the buffers of all six kinds and the two textures, and clears every flag so that
    // models and textures can be loaded again. Call with the OpenGL context current, when no
    // piece will be drawn any more.
    static void ReleaseClassResources();

protected:
    C3DObjPiece(float x, float y, float z, EPieceColor color);
    // What a piece class's constructor does first: the textures if they are not loaded, then the
    // model (unless already loaded) and buffers of `kind` if its buffers are not created.
    static void PrepareClass(EPieceType kind);

private:
    EPieceColor color;
    std::uint32_t animationType = 0;
    // Set last by StartAnimation (release), cleared by the Draw that ends the animation.
    std::atomic<bool> animating{false};
    std::uint32_t animationStart = 0;
    std::uint32_t animationDuration = kDefaultAnimationDuration;
    float startX;
    float startY;
    float startZ;
    float targetX;
    float targetY;
    float targetZ;
    float alpha = 1.0f;
};
