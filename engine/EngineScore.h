#pragma once

#include "chess/Piece.h"

#include <cstdint>
#include <string>
#include <string_view>

// An evaluation from White's side: centipawns, or a mate in a number of moves.
struct CEngineScore {
    enum class EKind : std::uint8_t { Centipawns, Mate };

    EKind kind = EKind::Centipawns;
    // Centipawns from White's side; for a mate, the moves to it, 0 when it stands on the board.
    int value = 0;
    bool whiteMates = false; // for a mate: the side that gives it

    bool operator==(const CEngineScore&) const = default;

    // A score as UCI reports it ("score cp X", "score mate N"), from the side to move: a mate
    // of N > 0 is given by it, N < 0 and N = 0 (mated on the board) by the other side.
    static CEngineScore FromEngine(bool mate, int value, EPieceColor sideToMove);

    // "+0.45", "-1.20", "0.00", "#3", "#-3" (Black mates in 3), "#0" / "#-0" (mated on the
    // board): as the evaluation bar reads. With `forComment`, no '+' (as [%eval] writes it).
    std::string Text(bool forComment = false) const;
};

// Reads an [%eval] value: pawns with an optional sign and fraction ("+0.35", "-2", "0.3"), or
// a mate ("#3", "#-3"). False for anything else.
bool ParseEvalText(std::string_view text, CEngineScore& score);

// The winning chance of White from -1 to +1: 2 / (1 + e^(-0.00368208 cp)) - 1, a mate +1 or -1.
double WinChance(const CEngineScore& score);
