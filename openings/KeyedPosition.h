#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"
#include "chess/Piece.h"
#include "openings/PositionKey.h"

#include <cstdint>
#include <string_view>

// What only ever shrinks along a game: the pawns still on their starting squares (a pawn never
// returns there) and the number of pieces. A later position of a game can be a given position
// only if that position's home pawns and piece count fit within these.
struct CReachSignature {
    std::uint8_t whiteHome = 0; // bit f: a white pawn on file f of rank 2
    std::uint8_t blackHome = 0; // bit f: a black pawn on file f of rank 7
    std::uint8_t pieces = 0;
    // Pawns stand on a first or last rank (a set-up position): nothing can be ruled out.
    bool irregular = false;

    // Whether a game standing here may still reach a position with signature `later`.
    constexpr bool MayLeadTo(const CReachSignature& later) const noexcept {
        return irregular || ((later.whiteHome & ~whiteHome) == 0 &&
                             (later.blackHome & ~blackHome) == 0 && later.pieces <= pieces);
    }
    // The 16 bits of both home masks, White's low.
    constexpr unsigned HomeBits() const noexcept {
        return static_cast<unsigned>(whiteHome) | static_cast<unsigned>(blackHome) << 8;
    }
};

// A position with its key, played forward move by move exactly as CChessSet::Move plays
// (castling as the king's move onto its own rook, promotions folded into the rank, en passant),
// keeping what the key needs beyond the board: the side to move, the castling rights (lost when
// the king or the rook moves or the rook is taken) and the file of an en-passant capture, kept
// only when such a capture is legal. A plain value, cheap to copy (about 80 bytes).
class CKeyedPosition {
public:
    // The initial position, White to move, all castling rights.
    CKeyedPosition();
    // A set-up position from its FEN text as ParseFen reads it (castling rights where the king
    // and the rook stand on their squares), its en-passant square only when a capture there is
    // legal. Throws CPGNReaderException for a FEN that ParseFen refuses.
    static CKeyedPosition FromFen(std::string_view fen);
    // The position a game starts from: the initial one for an empty text, else FromFen.
    static CKeyedPosition Start(std::string_view fen) {
        return fen.empty() ? CKeyedPosition() : FromFen(fen);
    }

    // Plays `move` for the side to move. Throws COpeningsException "CKeyedPosition::Play():
    // Move not playable!" for a move that CChessSet::Move would refuse or that moves a piece of
    // the other side; the position is then unchanged.
    void Play(const CMove& move);

    CPositionKey Key() const noexcept { return key; }
    const CChessboardState& Board() const noexcept { return board; }
    EPieceColor SideToMove() const noexcept { return side; }
    std::uint8_t Castling() const noexcept { return castling; }
    // The file of the pawn that may legally be taken en passant now, or -1.
    int EnPassantFile() const noexcept { return enPassantFile; }
    CReachSignature Signature() const noexcept { return signature; }

    // The key of a position given whole; Key() always equals KeyOf of the position's parts.
    static CPositionKey KeyOf(const CChessboardState& board, EPieceColor side,
                              std::uint8_t castling, int enPassantFile) noexcept;

private:
    // An empty board, for the initial position to be made from.
    explicit CKeyedPosition(int) {}
    // The signature of the board, counted square by square.
    static CReachSignature Survey(const CChessboardState& board) noexcept;
    // Sets the en-passant file after a pawn of the side that just moved stepped from rank
    // `fromRank` to (file, toRank) two squares away, if a capture of it is legal.
    void NoteDoubleStep(int file, int fromRank, int toRank);

    CChessboardState board;
    CPositionKey key = 0;
    EPieceColor side = White;
    std::uint8_t castling = WhiteKingside | WhiteQueenside | BlackKingside | BlackQueenside;
    std::int8_t enPassantFile = -1;
    CReachSignature signature; // kept up to date move by move
};
