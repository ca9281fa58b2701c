#pragma once

#include "gfx3d/BoardFrame.h"

#include <array>
#include <vector>

// A square of the board tinted by a translucent colour: the last move's two squares, a king in
// check.
struct SSquareTint {
    int file;
    int rank;
    float red, green, blue, alpha;
};

// Draws what lies on the board's surface between the board and the pieces: the coordinates on
// the frame, and the tints of squares. Both are blended over the wood already drawn, without
// writing depth, pulled a little towards the viewer so that they win over the surface they lie
// on, and hidden, like the surface, by whatever stands in front of it. The glyphs' texture is
// made by the first DrawCoordinates.
//
// Drawing and Release run on the thread that owns the OpenGL context.
class CBoardMarksPass {
public:
    CBoardMarksPass() = default;
    CBoardMarksPass(const CBoardMarksPass&) = delete;
    CBoardMarksPass& operator=(const CBoardMarksPass&) = delete;

    // The coordinates upright for a viewer on the side `viewer`, in the colour of light wood
    // inlaid in the dark frame, lit like the frame.
    void DrawCoordinates(EPieceColor viewer);
    // Unlit colour, so that a tint reads the same on both woods and under every light.
    void DrawTints(const std::vector<SSquareTint>& tints);
    // The engine's best move: a translucent arrow of BoardArrowTriangles, unlit; none when empty.
    void DrawArrow(const std::vector<std::array<float, 2>>& triangles);
    // Deletes the texture.
    void Release();

private:
    unsigned int glyphTexture = 0;
};
