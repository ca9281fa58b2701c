#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"
#include "pgn/GameBatch.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the explorer tells of one position: the games that reach it and, per move played next
// there, how those games went. A game counts once, at its first visit of the position; a game
// that ends there counts in the position's figures only. White, draw and black count the
// results 1-0, 1/2-1/2 and 0-1; a game without a result counts in `games` alone.
struct CExplorerMove {
    CMove move;
    std::string san; // as chess/SanWriter writes it on the position
    std::uint32_t games = 0;
    std::uint32_t white = 0;
    std::uint32_t draw = 0;
    std::uint32_t black = 0;
    // The mean of the players' ratings these games give, rounded; 0 when none gives one.
    std::uint16_t averageElo = 0;
    // The latest year of these games' dates; 0 when no date gives a year.
    std::int16_t lastYear = 0;
};

struct CExplorerCounts {
    std::uint32_t games = 0;
    std::uint32_t white = 0;
    std::uint32_t draw = 0;
    std::uint32_t black = 0;
    // Most games first; moves with as many games in the order of their SAN.
    std::vector<CExplorerMove> moves;
};

// A game reaching a position, at the ply of its first visit (0 the start position).
struct CGameVisit {
    std::uint32_t game = 0;
    std::uint16_t ply = 0;

    bool operator==(const CGameVisit&) const = default;
};

// What the explorer needs of a game besides its moves, in 8 bytes.
struct CGameFacts {
    std::int16_t year = 0; // of its Date, 0 when the date gives none
    std::uint16_t whiteElo = 0;
    std::uint16_t blackElo = 0;
    std::int8_t result = 3; // EGameResult

    static CGameFacts Of(const CStoredGame& game) noexcept;
};

// The move a game played next at a position, packed as CPackedMove; kNoMove when it ended there.
inline constexpr CPackedMove kNoMove = 0xFFFF; // never a packed move: its top bits are unused

// Adds up the games of one position, then makes the explorer's figures of them.
class CExplorerTally {
public:
    CExplorerTally();

    // One game at its first visit of the position.
    void Add(CPackedMove next, const CGameFacts& facts);
    // Adds another tally of the same position.
    void Merge(const CExplorerTally& other);
    // The figures, the moves written in SAN on `board`, the board of the position.
    CExplorerCounts Finish(const CChessboardState& board) const;

private:
    struct CMoveSums {
        CPackedMove move = kNoMove;
        std::array<std::uint32_t, 4> results{}; // by EGameResult
        std::uint64_t eloSum = 0;
        std::uint32_t eloCount = 0;
        std::int16_t lastYear = 0;
    };
    CMoveSums& SumsOf(CPackedMove move);

    std::vector<std::uint16_t> slotOf; // by packed move: index in `sums` + 1, 0 for none yet
    std::vector<CMoveSums> sums;       // the moves in order of first sight, then kNoMove
    std::array<std::uint32_t, 4> results{};
};
