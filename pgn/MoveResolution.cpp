// SAN move resolution: turns one movetext token into a move record by finding its source on
// the working board. The search is geometric; pins are consulted only when the written hints
// cannot single out one of several candidates.

#include "chess/KingSafety.h"
#include "chess/PieceReach.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <array>
#include <cstdint>

namespace {

const char* const kBadSquare = "CPGNReader::GetFieldCoords(): Invalid 's' parameter!";
const char* const kBadPromotion =
    "CPGNReader::FindMove(): Syntax error in ACN - invalid Pawn promotion!";
const char* const kBadSymbol = "CPGNReader::FindMove(): Invalid piece symbol!";
const char* const kBadNotation =
    "CPGNReader::FindMove(): Error in parsing Algebraic Chess Notation!";
const char* const kBadPawnMove = "CPGNReader::FindMove(): Invalid pawn's move!";
// kNoSlider and kNotStepper name other functions than those that throw them; the texts are
// established as they are.
const char* const kNoSlider = "CPGNReader::FindBRSrcField(): There is no piece to make the move!";
const char* const kNoStepper = "CPGNReader::FindNKSrcField(): There is no piece to make the move!";
const char* const kNoHints =
    "CPGNReader::SolveDisambiguation(): Cannot disambiguate moves, because "
    "there is no disambiguation hints!";
const char* const kAmbiguous = "CPGNReader::FindMove(): Cannot disambiguate moves!";
const char* const kNotSlider = "CPGNReader::FindBRQSrcField(): This function isn't supposed to use "
                               "with pieces other than Bishop, Rook or Queen!";
const char* const kNotStepper =
    "CPGNReader::FindBRQSrcField(): This function isn't supposed to use "
    "with pieces other than Knight or King!";

constexpr bool IsFileLetter(char c) {
    return c >= 'a' && c <= 'h';
}

constexpr bool IsRankDigit(char c) {
    return c >= '1' && c <= '8';
}

void StripPlusSigns(std::string_view& token) {
    while (!token.empty() && token.back() == '+') {
        token.remove_suffix(1);
    }
}

constexpr bool IsAnnotationMark(char c) {
    return c == '!' || c == '?';
}

// Check signs, then at most one move-quality annotation (!, ?, !!, ??, !? or ?!: every one or
// two marks), then check signs again. Hand-written: this runs for every move of a file.
void StripSuffixes(std::string_view& token) {
    StripPlusSigns(token);
    for (int marks = 0; marks < 2 && !token.empty() && IsAnnotationMark(token.back()); ++marks) {
        token.remove_suffix(1);
    }
    StripPlusSigns(token);
}

// The rook file of a castling token ("O-O" 7, "O-O-O" 0, also written with zeros), or -1.
int CastlingRookFile(std::string_view token) {
    if ((token.size() != 3 && token.size() != 5) || (token[0] != 'O' && token[0] != '0')) {
        return -1;
    }
    for (std::size_t i = 1; i < token.size(); i += 2) {
        if (token[i] != '-' || token[i + 1] != token[0]) {
            return -1;
        }
    }
    return token.size() == 3 ? 7 : 0;
}

// The piece type a promotion letter names (its value is the step of the promotion code), or
// Pawn for any other character.
EPieceType PromotionType(char letter) {
    switch (letter) {
    case 'N':
        return Knight;
    case 'B':
        return Bishop;
    case 'R':
        return Rook;
    case 'Q':
        return Queen;
    default:
        return Pawn;
    }
}

// `token` is what stands before the promotion letter and its optional '=': a square ("e8"),
// or a capturing file, 'x' and a square ("exd8").
CMove PromotionMove(std::string_view token, EPieceType type, EPieceColor colour) {
    CMove move;
    int rank = 0;
    if (token.size() == 2) {
        CPGNReader::GetFieldCoords(token, move.destFile, rank);
        move.sourceFile = move.destFile;
    } else if (token.size() == 4 && IsFileLetter(token[0]) && token[1] == 'x') {
        CPGNReader::GetFieldCoords(token.substr(2), move.destFile, rank);
        move.sourceFile = token[0] - 'a';
    } else {
        throw CPGNReaderException(kBadPromotion);
    }
    move.sourceRank = colour == White ? rank - 1 : rank + 1;
    move.destRank = colour == White ? rank + type : rank - type;
    return move;
}

} // namespace

struct CPGNReader::CCandidates {
    struct CSquare {
        std::int8_t file;
        std::int8_t rank;
    };

    std::array<CSquare, 8> squares{};
    int count = 0;

    void Add(int file, int rank) {
        squares[static_cast<std::size_t>(count++)] = {static_cast<std::int8_t>(file),
                                                      static_cast<std::int8_t>(rank)};
    }

    // Keeps, in order, the squares for which keep(square) holds.
    template <class Keep>
    void KeepIf(Keep keep) {
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            const CSquare square = squares[static_cast<std::size_t>(i)];
            if (keep(square)) {
                squares[static_cast<std::size_t>(kept++)] = square;
            }
        }
        count = kept;
    }

    void SetSource(CMove& move) const {
        move.sourceFile = squares[0].file;
        move.sourceRank = squares[0].rank;
    }
};

void CPGNReader::GetFieldCoords(std::string_view s, int& file, int& rank) {
    if (s.size() != 2 || !IsFileLetter(s[0]) || !IsRankDigit(s[1])) {
        throw CPGNReaderException(kBadSquare);
    }
    file = s[0] - 'a';
    rank = s[1] - '1';
}

CMove CPGNReader::FindMove(std::string_view token, const EPieceColor& colour,
                           const CChessSet& set) {
    StripSuffixes(token);

    const int rookFile = CastlingRookFile(token);
    if (rookFile >= 0) {
        const int homeRank = colour == White ? 0 : 7;
        return {4, homeRank, rookFile, homeRank};
    }

    if (!token.empty()) {
        const EPieceType promotion = PromotionType(token.back());
        if (promotion != Pawn) {
            token.remove_suffix(1);
            if (!token.empty() && token.back() == '=') {
                token.remove_suffix(1);
            }
            return PromotionMove(token, promotion, colour);
        }
    }

    if (token.size() < 2) {
        throw CPGNReaderException(kBadNotation);
    }
    CMove move{-1, -1, 0, 0};
    GetFieldCoords(token.substr(token.size() - 2), move.destFile, move.destRank);
    token.remove_suffix(2);

    if (token.empty()) {
        FindPawnSrcField(set, move, colour);
        return move;
    }
    if (token.back() == 'x') {
        token.remove_suffix(1);
        if (token.empty()) {
            return move;
        }
    }

    const char symbol = token.front();
    token.remove_prefix(1); // what is left are the hints
    switch (symbol) {
    case 'B':
        FindBRQSrcField(set, move, token, {colour, Bishop});
        break;
    case 'R':
        FindBRQSrcField(set, move, token, {colour, Rook});
        break;
    case 'Q':
        FindBRQSrcField(set, move, token, {colour, Queen});
        break;
    case 'N':
        FindNKSrcField(set, move, token, {colour, Knight});
        break;
    case 'K':
        FindNKSrcField(set, move, token, {colour, King});
        break;
    default:
        if (!IsFileLetter(symbol)) {
            throw CPGNReaderException(kBadSymbol);
        }
        move.sourceFile = symbol - 'a';
        move.sourceRank = colour == White ? move.destRank - 1 : move.destRank + 1;
        break;
    }

    if (!token.empty()) {
        throw CPGNReaderException(kBadNotation);
    }
    return move;
}

void CPGNReader::FindPawnSrcField(const CChessSet& set, CMove& move, const EPieceColor& colour) {
    const int back = colour == White ? -1 : 1;
    const CPiece pawn{colour, Pawn};
    for (int distance = 1; distance <= 2; ++distance) {
        const int rank = move.destRank + back * distance;
        const CField field = set.Board().GetField(move.destFile, rank);
        if (field.IsEmpty()) {
            continue;
        }
        if (field.Piece() != pawn) {
            throw CPGNReaderException(kBadPawnMove);
        }
        move.sourceFile = move.destFile;
        move.sourceRank = rank;
        return;
    }
}

// The candidates are the pieces that reach the destination by their pattern; their order
// does not matter, since a search ends with exactly one.
void CPGNReader::FindBRQSrcField(const CChessSet& set, CMove& move, std::string_view& hints,
                                 const CPiece& piece) {
    if (piece.type != Bishop && piece.type != Rook && piece.type != Queen) {
        throw CPGNReaderException(kNotSlider);
    }
    FindSource(set.Board(), move, hints, piece, kNoSlider);
}

void CPGNReader::FindNKSrcField(const CChessSet& set, CMove& move, std::string_view& hints,
                                const CPiece& piece) {
    if (piece.type != Knight && piece.type != King) {
        throw CPGNReaderException(kNotStepper);
    }
    FindSource(set.Board(), move, hints, piece, kNoStepper);
}

void CPGNReader::FindSource(const CChessboardState& board, CMove& move, std::string_view& hints,
                            const CPiece& piece, const char* noPiece) {
    CCandidates candidates;
    ForEachPieceReaching(board, move.destFile, move.destRank, piece, [&](int file, int rank) {
        candidates.Add(file, rank);
        return false;
    });
    if (candidates.count == 0) {
        throw CPGNReaderException(noPiece);
    }
    if (candidates.count > 1) {
        SolveDisambiguation(candidates, hints, board, move);
    }
    candidates.SetSource(move);
}

void CPGNReader::SolveDisambiguation(CCandidates& candidates, std::string_view& hints,
                                     const CChessboardState& board, const CMove& move) {
    // Where the hints leave several candidates, the one that alone may leave its square
    // without exposing its own king is meant; if that is not exactly one, the hints' message
    // stands.
    auto pinsSingleOut = [&] {
        CCandidates unpinned = candidates;
        unpinned.KeepIf([&](CCandidates::CSquare square) {
            return !LeavesOwnKingAttacked(board,
                                          {square.file, square.rank, move.destFile, move.destRank});
        });
        if (unpinned.count != 1) {
            return false;
        }
        candidates = unpinned;
        return true;
    };

    if (hints.empty()) {
        if (pinsSingleOut()) {
            return;
        }
        throw CPGNReaderException(kNoHints);
    }

    auto takeLast = [&hints] {
        const char c = hints.back();
        hints.remove_suffix(1);
        return c;
    };
    char hint = takeLast();
    bool haveHint = true;
    if (IsRankDigit(hint)) {
        const int rank = hint - '1';
        candidates.KeepIf([rank](CCandidates::CSquare square) { return square.rank == rank; });
        haveHint = !hints.empty();
        if (haveHint) {
            hint = takeLast();
        }
    }
    if (haveHint && IsFileLetter(hint) && candidates.count > 1) {
        const int file = hint - 'a';
        candidates.KeepIf([file](CCandidates::CSquare square) { return square.file == file; });
    }

    if (candidates.count == 1 || (candidates.count > 1 && pinsSingleOut())) {
        return;
    }
    throw CPGNReaderException(kAmbiguous);
}
