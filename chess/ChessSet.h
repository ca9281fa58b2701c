#pragma once

#include "chess/CapturedPiecesSet.h"
#include "chess/ChessboardState.h"
#include "chess/Move.h"

#include <array>
#include <atomic>

// The position of one game: the board, the pieces each side has captured, and a one-slot
// hand-over of the last executed move to the scene.
//
// Hand-over: the player waits until MoveReady() is false, then calls Move, which writes
// lastMove and the board and sets the flag last (release). The scene reads the flag (acquire),
// copies LastMove(), and clears the flag. No lock is involved.
class CChessSet {
public:
    // The initial position with both captured sets empty; MoveReady() is false.
    CChessSet();
    CChessSet(const CChessSet&) = delete;
    CChessSet& operator=(const CChessSet&) = delete;

    // Sets up the initial position and empties both captured sets; lastMove and the flag are
    // left as they are.
    void Reset();
    // Puts the pieces as they stand on `position` (a game that starts from a set-up position),
    // empties both captured sets and clears the flag, so that no move of an earlier position is
    // handed to the scene; lastMove is left as it is.
    void SetUp(const CChessboardState& position);
    // Takes over the board and both captured sets of `other` (a position worked out on a set
    // of its own) and clears the flag; lastMove is left as it is.
    void CopyPosition(const CChessSet& other);

    // Executes a move record without judging its legality: a plain move, a capture (the taken
    // piece goes to the mover's captured set), castling, promotion (straight or capturing) and
    // en passant. lastMove takes the record first, even if the move then fails; the flag is
    // set only when the move completes. A move that throws leaves the board and the captured
    // sets as they were.
    void Move(const CMove& move);

    const CChessboardState& Board() const noexcept { return board; }
    // Indexed by the capturing side.
    const CCapturedPiecesSet& Captured(EPieceColor side) const noexcept { return captured[side]; }

    bool MoveReady() const noexcept { return moveReady.load(std::memory_order_acquire); }
    void ClearMoveReady() noexcept { moveReady.store(false, std::memory_order_release); }
    // Valid to read while MoveReady() is true, or on the thread that calls Move.
    CMove LastMove() const noexcept { return lastMove; }

private:
    void Promote(const CPiece& pawn, const CMove& move, const CDestination& to);
    // Returns true when the record is a castling; the board is then updated, or left unchanged
    // when a square between king and rook is occupied.
    bool TryCastle(const CPiece& king, const CMove& move, const CField& dest);
    // Takes the piece on (file, rank) into the mover's captured set; the square is emptied only
    // once the set has accepted the piece.
    void Capture(EPieceColor mover, int file, int rank);

    CChessboardState board;
    std::array<CCapturedPiecesSet, 2> captured;
    std::atomic<bool> moveReady{false};
    CMove lastMove{};
};
