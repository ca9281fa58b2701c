#pragma once

#include "chess/Move.h"
#include "chess/Position.h"

#include <string>
#include <string_view>
#include <vector>

// A position to analyse: a start and the moves played from it, so that the engine knows the
// positions before it (repetitions).
struct CEnginePosition {
    CPosition start = CPosition::Initial();
    std::vector<CMove> moves;

    // The position after the moves. Throws CEngineException when a move cannot be played.
    CPosition Final() const;
    // The UCI command for it, with its line end: "position fen <start> moves <m1> ..." when
    // every move is legal, else "position fen <final>" (an engine would stop at an illegal
    // move and analyse another position). Throws CEngineException when the position cannot
    // be analysed: a move that cannot be played, or a position no engine can take (see
    // IsPlayablePosition).
    std::string Command() const;
};

// A move in UCI's long algebraic notation on `position`: "e2e4", "e7e8q", castling as the
// king's two-square step ("e1g1").
std::string UciMoveText(const CPosition& position, const CMove& move);

// Reads a move in UCI's notation (castling also as the king onto its rook, "e1h1") as one of
// the legal moves of `position`. False when it is not one.
bool ReadUciMove(const CPosition& position, std::string_view text, CMove& move);
