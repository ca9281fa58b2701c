#include "chess/FenWriter.h"

#include "chess/PieceReach.h"

std::string WriteFen(const CPosition& position) {
    static constexpr char kLetters[2][7] = {"PNBRQK", "pnbrqk"};
    std::string fen;
    fen.reserve(90);
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const CField& field = FieldAt(position.board, file, rank);
            if (field.IsEmpty()) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                fen += static_cast<char>('0' + empty);
                empty = 0;
            }
            const CPiece piece = field.Piece();
            fen += kLetters[piece.color][piece.type];
        }
        if (empty > 0) {
            fen += static_cast<char>('0' + empty);
        }
        if (rank > 0) {
            fen += '/';
        }
    }
    fen += position.sideToMove == White ? " w " : " b ";
    const std::size_t rights = fen.size();
    static constexpr struct {
        ECastlingRight right;
        char letter;
    } kRights[] = {
        {WhiteKingside, 'K'}, {WhiteQueenside, 'Q'}, {BlackKingside, 'k'}, {BlackQueenside, 'q'}};
    for (const auto& [right, letter] : kRights) {
        if (position.castling & right) {
            fen += letter;
        }
    }
    if (fen.size() == rights) {
        fen += '-';
    }
    fen += ' ';
    if (position.enPassantFile >= 0) {
        fen += static_cast<char>('a' + position.enPassantFile);
        fen += position.sideToMove == White ? '6' : '3';
    } else {
        fen += '-';
    }
    fen += ' ';
    fen += std::to_string(position.halfMoveClock);
    fen += ' ';
    fen += std::to_string(position.fullMoveNumber);
    return fen;
}
