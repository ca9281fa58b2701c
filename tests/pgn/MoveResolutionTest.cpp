#include "chess/ChessExceptions.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <random>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Reaches the source searches with a piece type FindMove never hands them.
class CMoveResolutionProbe {
public:
    static void Search(const CChessSet& set, EPieceType type, bool slider) {
        CMove move{-1, -1, 3, 3};
        std::string_view hints;
        if (slider) {
            CPGNReader::FindBRQSrcField(set, move, hints, {White, type});
        } else {
            CPGNReader::FindNKSrcField(set, move, hints, {White, type});
        }
    }
};

namespace {

const char* const kSquare = "CPGNReader::GetFieldCoords(): Invalid 's' parameter!";
const char* const kPromotion =
    "CPGNReader::FindMove(): Syntax error in ACN - invalid Pawn promotion!";
const char* const kSymbol = "CPGNReader::FindMove(): Invalid piece symbol!";
const char* const kNotation = "CPGNReader::FindMove(): Error in parsing Algebraic Chess Notation!";
const char* const kPawnMove = "CPGNReader::FindMove(): Invalid pawn's move!";
const char* const kNoSlider = "CPGNReader::FindBRSrcField(): There is no piece to make the move!";
const char* const kNoStepper = "CPGNReader::FindNKSrcField(): There is no piece to make the move!";
const char* const kNoHints = "CPGNReader::SolveDisambiguation(): Cannot disambiguate moves, "
                             "because there is no disambiguation hints!";
const char* const kAmbiguous = "CPGNReader::FindMove(): Cannot disambiguate moves!";
const char* const kOutOfRange = "board: CChessboardState::GetField(): Index out of range!";

// What a token resolves to on the position: the move as "sourceFile sourceRank destFile
// destRank", or the message it is refused with ("board: " for the board's exception class).
std::string Outcome(const CChessSet& set, std::string_view token, EPieceColor side) {
    try {
        const CMove m = CPGNReader::FindMove(token, side, set);
        return std::to_string(m.sourceFile) + " " + std::to_string(m.sourceRank) + " " +
               std::to_string(m.destFile) + " " + std::to_string(m.destRank);
    } catch (const CPGNReaderException& e) {
        return e.GetMessage();
    } catch (const CChessboardStateException& e) {
        return "board: " + e.GetMessage();
    }
}

struct CCase {
    std::string_view token;
    std::string_view outcome;
    EPieceColor side = White;
};

void Check(const CChessSet& set, std::span<const CCase> cases) {
    for (const CCase& c : cases) {
        EXPECT_EQ(Outcome(set, c.token, c.side), c.outcome)
            << c.token << (c.side == Black ? " (Black)" : "");
    }
}

// The listed pieces alone on the board.
void Arrange(CChessSet& set, std::string_view pieces) {
    set.SetUp(testutil::Board(pieces));
}

} // namespace

TEST(MoveResolution, TokensOnTheInitialPosition) {
    // Nothing on e4 or e3 leaves the source unknown, for the board to refuse; the knights of the
    // side not to move never count; pawn captures take the file written and ignore the board.
    const CCase moves[] = {
        {"e4", "4 1 4 3"},    {"e3", "4 1 4 2"},           {"e5", "4 6 4 4", Black},
        {"Nf3", "6 0 5 2"},   {"Nc3++", "1 0 2 2"},        {"Nf6", "6 7 5 5", Black},
        {"e5", "-1 -1 4 4"},  {"xe5", "-1 -1 4 4"},        {"Nf6", kNoStepper},
        {"exd5", "4 3 3 4"},  {"ed5", "4 3 3 4"},          {"exd5", "4 5 3 4", Black},
        {"O-O", "4 0 7 0"},   {"0-0", "4 0 7 0"},          {"O-O+", "4 7 7 7", Black},
        {"0-0-0", "4 0 0 0"}, {"O-O-O+", "4 7 0 7", Black}};
    // Refused tokens, and pieces with no way to the square (the d2 pawn blocks Qd3; no piece
    // moves onto itself).
    const CCase refused[] = {{"e4xd5", kNotation}, {"ixd5", kSymbol},        {"e", kNotation},
                             {"", kNotation},      {"+", kNotation},         {"Nxxf3", kNotation},
                             {"e9", kSquare},      {"E4", kSquare},          {"e4#", kSquare},
                             {"nf3", kSymbol},     {"Pe4", kSymbol},         {"O-0", kSquare},
                             {"0-O-0", kSquare},   {"Qd3", kNoSlider},       {"Rh3", kNoSlider},
                             {"Kd3", kNoStepper},  {"Qd8", kNoSlider, Black}};
    // Promotions fold the piece into the rank, on any rank: plus for White, minus for Black.
    const CCase promotions[] = {
        {"e8=N", "4 6 4 8"},    {"e8=B", "4 6 4 9"},          {"e8R", "4 6 4 10"},
        {"e8Q+", "4 6 4 11"},   {"a1=N", "0 1 0 -1", Black},  {"a1Q", "0 1 0 -4", Black},
        {"e5=Q", "4 3 4 8"},    {"e4=N", "4 4 4 2", Black},   {"exd8=Q", "4 6 3 11"},
        {"gxh8=N+", "6 6 7 8"}, {"bxa1R", "1 1 0 -3", Black}, {"exd5=B", "4 3 3 6"}};
    const CCase badPromotions[] = {{"e8=K", kSquare},      {"e9=Q", kSquare},
                                   {"exd9=Q", kSquare},    {"=Q", kPromotion},
                                   {"Q", kPromotion},      {"e8==Q", kPromotion},
                                   {"Nxd8=Q", kPromotion}, {"e-d8=Q", kPromotion},
                                   {"xd8=Q", kPromotion},  {"e7xd8=Q", kPromotion}};
    // One annotation may stand between check signs; whatever stands before it fails.
    const CCase annotations[] = {
        {"e8=Q!", "4 6 4 11"}, {"e4?", "4 1 4 3"},     {"Nf3!", "6 0 5 2"},
        {"Nf3??", "6 0 5 2"},  {"Nf3+?!", "6 0 5 2"},  {"Nf3++!!++", "6 0 5 2"},
        {"0-0!?", "4 0 7 0"},  {"0-0-0??", "4 0 0 0"}, {"e4!!!", kSquare},
        {"e4?!?", kSquare},    {"e4!+!", kSquare},     {"!?", kNotation}};
    const CChessSet set;
    Check(set, moves);
    Check(set, refused);
    Check(set, promotions);
    Check(set, badPromotions);
    Check(set, annotations);
    int file = 9;
    int rank = 9;
    CPGNReader::GetFieldCoords("h8", file, rank);
    EXPECT_EQ(file * 10 + rank, 77);
    EXPECT_THROW_MSG(CPGNReader::GetFieldCoords("a10", file, rank), CPGNReaderException, kSquare);
}

// No start-rank check; a piece of either colour on the way stops the search, and so does the
// edge of the board.
TEST(MoveResolution, PawnPushSearchLooksTwoSquaresBackAtMost) {
    CChessSet set;
    testutil::Play(set, {"e2e4", "g1e3", "d7d3", "b1f7", "a1a4"});
    const CCase cases[] = {
        {"e6", "4 3 4 5"},        {"e4", kPawnMove},         {"d4", kPawnMove},
        {"e2", kPawnMove},        {"e1", kOutOfRange},       {"a2", kOutOfRange},
        {"f5", kPawnMove, Black}, {"f6", kPawnMove, Black},  {"d5", "-1 -1 3 4", Black},
        {"h5", "7 6 7 4", Black}, {"e8", kOutOfRange, Black}};
    Check(set, cases);
}

// Hints single out a candidate by file, rank or square; a hint that filters nothing, or one
// left over, is refused. Pins settle only what the hints leave open.
TEST(MoveResolution, HintsAndPinsPickAmongCandidates) {
    // File b holds no rook; 'z' filters nothing; 'b' or 'x' left over; a hint not needed.
    const CCase rooks[] = {{"Rd1", kNoHints},    {"Rad1", "0 0 3 0"},  {"Rhxd1+", "7 0 3 0"},
                           {"Ra1d1", "0 0 3 0"}, {"R1d1", kAmbiguous}, {"Rbd1", kAmbiguous},
                           {"Rzd1", kAmbiguous}, {"Rbad1", kNotation}, {"Rxad1", kNotation},
                           {"Ra8", "0 0 0 7"},   {"Raa8", kNotation}};
    // 'a' filters nothing, then '1' leaves one.
    const CCase queens[] = {{"Qh4e1", "7 3 4 0"},  {"Qee1", "4 3 4 0"},  {"Q1e1", "7 0 4 0"},
                            {"Qa1e1", "7 0 4 0"},  {"Qhe1", kAmbiguous}, {"Q4e1", kAmbiguous},
                            {"Q44e1", kAmbiguous}, {"Qe1", kNoHints},    {"Qxh4e1", kNotation}};
    // The e2 knight shields its king from the rook on e8: rank 2 leaves e2 and g2, a hint may
    // still name the pinned one, and a single candidate is taken pinned or not.
    const CCase pinned[] = {{"Ng3", "7 4 6 2"}, {"N2f4", "6 1 5 3"},  {"Nef4", "4 1 5 3"},
                            {"Nf4", kNoHints},  {"N7f4", kAmbiguous}, {"Nhef4", kNotation},
                            {"Nc3", "4 1 2 2"}};
    // A rook pinned on a diagonal, for each side.
    const CCase diagonal[] = {{"Rb5", "1 6 1 4"}, {"Rg4", "6 5 6 3", Black}};
    const struct {
        std::string_view pieces;
        std::span<const CCase> cases;
    } positions[] = {{"Ra1 Rh1 Kb3 kb8", rooks},
                     {"Qh4 Qh1 Qe4 Ka2 ka8", queens},
                     {"Ke1 Ne2 Nh5 Ng2 re8 ka8", pinned},
                     {"Ka1 Rb2 Rb7 bh8 kh1 rg2 rg6 Bd5", diagonal}};
    for (const auto& position : positions) {
        SCOPED_TRACE(position.pieces);
        CChessSet set;
        Arrange(set, position.pieces);
        Check(set, position.cases);
    }
    // Taking the pinning piece keeps the line closed, so both rooks may go; both knights pinned,
    // or a check that no candidate can lift, leave none; a pawn on f3 does not attack e1.
    const struct {
        std::string_view pieces, token, outcome;
    } single[] = {{"Ke1 Re2 Ra8 re8 kh8", "Rxe8", kNoHints},
                  {"Ke1 Nd2 Ng3 ba5 bh4 ka8", "Ne4", kNoHints},
                  {"Ke1 Ne2 Nh5 re8 nd3 ka8", "Nf4", kNoHints},
                  {"Ke1 Ne2 Nh5 re8 pf2 ka8", "Nf4", kNoHints},
                  {"Ke1 Ne2 Nh5 re8 pf3 ka8", "Nf4", "7 4 5 3"}};
    for (const auto& [pieces, token, outcome] : single) {
        CChessSet set;
        Arrange(set, pieces);
        EXPECT_EQ(Outcome(set, token, White), outcome) << pieces;
    }
    CChessSet opening;
    testutil::Play(opening, {"d2d4", "d7d5"});
    const CCase opened[] = {{"Nd2", "1 0 3 1"}, {"Nbd2", kNotation}};
    Check(opening, opened);
}

TEST(MoveResolution, SourceSearchesRefuseOtherPieceTypes) {
    const CChessSet set;
    for (EPieceType type : {Pawn, Knight, King}) {
        EXPECT_THROW_MSG(CMoveResolutionProbe::Search(set, type, true), CPGNReaderException,
                         "CPGNReader::FindBRQSrcField(): This function isn't supposed to use with "
                         "pieces other than Bishop, Rook or Queen!");
    }
    for (EPieceType type : {Pawn, Bishop, Rook, Queen}) {
        EXPECT_THROW_MSG(CMoveResolutionProbe::Search(set, type, false), CPGNReaderException,
                         "CPGNReader::FindBRQSrcField(): This function isn't supposed to use with "
                         "pieces other than Knight or King!");
    }
}

// The squares a piece on (file, rank) reaches, blocked by the first piece on a line.
std::vector<std::pair<int, int>> Reach(const CChessboardState& board, int file, int rank,
                                       EPieceType type) {
    static const std::vector<std::pair<int, int>> kLines = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                                            {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    static const std::vector<std::pair<int, int>> kJumps = {{1, 2},  {2, 1},  {-1, 2},  {-2, 1},
                                                            {1, -2}, {2, -1}, {-1, -2}, {-2, -1}};
    std::vector<std::pair<int, int>> out;
    const bool slides = type != Knight && type != King;
    const auto& steps = type == Knight ? kJumps : kLines;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool diagonal = i >= 4;
        if ((type == Rook && diagonal) || (type == Bishop && !diagonal)) {
            continue;
        }
        const auto [df, dr] = steps[i];
        for (int f = file + df, r = rank + dr; f >= 0 && f < 8 && r >= 0 && r < 8;
             f += df, r += dr) {
            out.emplace_back(f, r);
            if (!slides || !board.GetField(f, r).IsEmpty()) {
                break;
            }
        }
    }
    return out;
}

// For random positions: a move written with the full source square resolves to that source
// whenever another piece of its kind reaches the destination; when none does, the hint is
// left over, and the move without it resolves to the source instead.
TEST(MoveResolution, FullyDisambiguatedMovesResolveToTheirSource) {
    std::mt19937 random(20240607);
    int ambiguous = 0;
    for (int game = 0; game < 150; ++game) {
        CChessSet set;
        const CChessboardState& board = set.Board();
        for (int step = 0; step < 40; ++step) {
            const int from = static_cast<int>(random() % 64);
            const int to = static_cast<int>(random() % 64);
            const CField mover = board.GetField(from / 8, from % 8);
            const CField target = board.GetField(to / 8, to % 8);
            if (!mover.IsEmpty() && from != to &&
                (target.IsEmpty() ||
                 (target.Piece().color != mover.Piece().color && target.Piece().type != King))) {
                set.Move({from / 8, from % 8, to / 8, to % 8});
            }
        }
        for (int sq = 0; sq < 64; ++sq) {
            const CField field = board.GetField(sq / 8, sq % 8);
            if (field.IsEmpty() || field.Piece().type == Pawn) {
                continue;
            }
            const CPiece piece = field.Piece();
            for (const auto& [df, dr] : Reach(board, sq / 8, sq % 8, piece.type)) {
                const CField dest = board.GetField(df, dr);
                if (!dest.IsEmpty() && dest.Piece().color == piece.color) {
                    continue;
                }
                int reaching = 0;
                for (int other = 0; other < 64; ++other) {
                    const CField o = board.GetField(other / 8, other % 8);
                    if (!o.IsEmpty() && o.Piece() == piece) {
                        for (const auto& square : Reach(board, other / 8, other % 8, piece.type)) {
                            reaching += square == std::pair{df, dr} ? 1 : 0;
                        }
                    }
                }
                const std::string letter(1, "PNBRQK"[piece.type]);
                const std::string to{static_cast<char>('a' + df), static_cast<char>('1' + dr)};
                const std::string full = letter + static_cast<char>('a' + sq / 8) +
                                         static_cast<char>('1' + sq % 8) +
                                         (dest.IsEmpty() ? "" : "x") + to;
                const std::string expected = std::to_string(sq / 8) + " " + std::to_string(sq % 8) +
                                             " " + std::to_string(df) + " " + std::to_string(dr);
                ambiguous += reaching > 1 ? 1 : 0;
                EXPECT_EQ(Outcome(set, full, piece.color), reaching > 1 ? expected : kNotation);
                if (reaching == 1) {
                    EXPECT_EQ(Outcome(set, letter + to, piece.color), expected) << full;
                }
            }
        }
    }
    EXPECT_GT(ambiguous, 100);
}
