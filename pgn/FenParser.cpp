#include "pgn/FenParser.h"

#include "pgn/PGNExceptions.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::size_t npos = std::string_view::npos;

[[noreturn]] void ThrowNotValid() {
    throw CPGNReaderException("CPGNReader::ParseGame(): FEN not valid!");
}

// Splits at single spaces into four or six non-empty fields; returns the count, or 0 for any
// other shape (an empty text, a doubled, leading or trailing space).
std::size_t SplitFields(std::string_view fen, std::array<std::string_view, 6>& fields) {
    std::size_t count = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t space = fen.find(' ', from);
        const std::string_view field = fen.substr(from, space == npos ? npos : space - from);
        if (field.empty() || count == fields.size()) {
            return 0;
        }
        fields[count++] = field;
        if (space == npos) {
            return count == 4 || count == 6 ? count : 0;
        }
        from = space + 1;
    }
}

// Piece placement, rank 8 first, each rank from file a: all ranks and squares are checked
// before the kings are counted.
void ReadPlacement(std::string_view placement, CChessboardState& board) {
    int separators = 0;
    for (const char c : placement) {
        separators += c == '/';
    }
    if (separators != 7) {
        ThrowNotValid();
    }
    static constexpr std::string_view letters = "PNBRQKpnbrqk";
    std::array<int, 2> kings{};
    int rank = 7;
    int file = 0;
    for (const char c : placement) {
        if (c == '/') {
            if (file != 8) {
                ThrowNotValid();
            }
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) {
                ThrowNotValid();
            }
        } else {
            const std::size_t letter = letters.find(c);
            if (letter == npos || file == 8) {
                ThrowNotValid();
            }
            const CPiece piece{letter < 6 ? White : Black, static_cast<EPieceType>(letter % 6)};
            kings[static_cast<std::size_t>(piece.color)] += piece.type == King;
            board.GetField(file, rank).PutPiece(piece);
            ++file;
        }
    }
    if (file != 8 || kings[White] != 1 || kings[Black] != 1) {
        ThrowNotValid();
    }
}

// Letters other than KQkq name the rook files of Chess960 castling rights.
std::uint8_t ReadCastling(std::string_view castling) {
    std::uint8_t rights = 0;
    for (const char c : castling) {
        static constexpr std::string_view kLetters = "KQkq";
        if (const std::size_t bit = kLetters.find(c); bit != npos) {
            rights |= static_cast<std::uint8_t>(1u << bit);
            continue;
        }
        if (c == '-') {
            continue;
        }
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            throw CPGNReaderException("CPGNReader::ParseGame(): Variant not supported!");
        }
        ThrowNotValid();
    }
    return rights;
}

// The file of an en-passant square on the rank the side to move captures onto, else -1.
std::int32_t ReadEnPassantFile(std::string_view square, EPieceColor sideToMove) {
    const char rank = sideToMove == White ? '6' : '3';
    if (square.size() == 2 && square[0] >= 'a' && square[0] <= 'h' && square[1] == rank) {
        return square[0] - 'a';
    }
    return -1;
}

// Digits up to a bound that no game reaches; anything else is 0.
std::int32_t ReadHalfMoveClock(std::string_view text) {
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 99999) {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Puzzle exporters write 0 for the first move; it is read as 1.
std::int32_t ReadFullMoveNumber(std::string_view text) {
    constexpr std::int64_t limit = 2147483647;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            ThrowNotValid();
        }
        value = value * 10 + (c - '0');
        if (value > limit) {
            ThrowNotValid();
        }
    }
    return value == 0 ? 1 : static_cast<std::int32_t>(value);
}

} // namespace

CFenPosition ParseFen(std::string_view fen) {
    std::array<std::string_view, 6> fields;
    const std::size_t count = SplitFields(fen, fields);
    if (count == 0) {
        ThrowNotValid();
    }
    CFenPosition position;
    ReadPlacement(fields[0], position.board);
    if (fields[1] != "w" && fields[1] != "b") {
        ThrowNotValid();
    }
    position.sideToMove = fields[1] == "w" ? White : Black;
    position.castling = ReadCastling(fields[2]);
    position.enPassantFile = ReadEnPassantFile(fields[3], position.sideToMove);
    if (count == 6) {
        position.halfMoveClock = ReadHalfMoveClock(fields[4]);
        position.fullMoveNumber = ReadFullMoveNumber(fields[5]);
    }
    position.Sanitise();
    return position;
}

CFenPosition StartPosition(std::string_view fen) {
    if (!fen.empty()) {
        return ParseFen(fen);
    }
    return CPosition::Initial();
}
