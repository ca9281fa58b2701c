#pragma once

#include "chess/Move.h"
#include "chess/Piece.h"

#include <cstdint>
#include <optional>

// What the game player asks of the scene. CScene implements it; tests use a recording fake.
class IScenePlayback {
public:
    virtual ~IScenePlayback() = default;

    // Replaces the piece objects by new ones made from the chess set (pieces on their squares,
    // captured pieces in their slots). Any thread, once the scene is built.
    virtual void RebuildPieces() = 0;
    // Ends every running animation at once and shows the chess set as it stands: a move the
    // scene has not taken yet is withdrawn (its result is already on the board), one being
    // animated jumps to its end. Any thread; before the scene is built only the move is
    // withdrawn.
    virtual void ShowBoardNow() = 0;
    // Gives every piece this animation duration and sets the frame counter's window.
    virtual void ApplyAnimationDuration(std::uint32_t milliseconds) = 0;
    // The result line: 0 White won, 1 Black won, 2 draw, 3 none.
    virtual void SetGameResult(int result) = 0;
    // Asks the render thread to apply the projection again and draw.
    virtual void RequestRedraw() = 0;
    // The side to move at the start of the game on show (Black in a set-up position may be);
    // the marker of the side to move shows it while no move has led to the position.
    virtual void SetStartingSide(EPieceColor side) = 0;
    // The move that led to the position the chess set now holds, or none at a game's start, for
    // the last-move tint; called after the chess set was changed without a move being handed
    // over (a game chosen, a jump). A move handed over becomes the last move by itself when
    // the scene takes it, or withdraws it.
    virtual void ShowLastMove(const std::optional<CMove>& move) = 0;
};
