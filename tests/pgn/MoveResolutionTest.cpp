#include "chess/ChessExceptions.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

inline void PrintTo(const CMove& m, std::ostream* os) {
    *os << "(" << m.sourceFile << ", " << m.sourceRank << ", " << m.destFile << ", " << m.destRank
        << ")";
}

// Reaches the source searches with a piece type FindMove never hands them.
class CMoveResolutionProbe {
public:
    static void Slider(const CChessSet& set, EPieceType type) {
        CMove move{-1, -1, 3, 3};
        std::string_view hints;
        CPGNReader::FindBRQSrcField(set, move, hints, {White, type});
    }
    static void Stepper(const CChessSet& set, EPieceType type) {
        CMove move{-1, -1, 3, 3};
        std::string_view hints;
        CPGNReader::FindNKSrcField(set, move, hints, {White, type});
    }
};

namespace {

using testutil::CPlaced;
using testutil::Diagram;
using testutil::ParsePieces;
using testutil::Play;

const char* const kSquare = "CPGNReader::GetFieldCoords(): Invalid 's' parameter!";
const char* const kPromotion =
    "CPGNReader::FindMove(): Syntax error in ACN - invalid Pawn promotion!";
const char* const kSymbol = "CPGNReader::FindMove(): Invalid piece symbol!";
const char* const kNotation = "CPGNReader::FindMove(): Error in parsing Algebraic Chess Notation!";
const char* const kPawnMove = "CPGNReader::FindMove(): Invalid pawn's move!";
const char* const kNoSlider = "CPGNReader::FindBRSrcField(): There is no piece to make the move!";
const char* const kNoStepper = "CPGNReader::FindNKSrcField(): There is no piece to make the move!";
const char* const kNoHints =
    "CPGNReader::SolveDisambiguation(): Cannot disambiguate moves, because "
    "there is no disambiguation hints!";
const char* const kAmbiguous = "CPGNReader::FindMove(): Cannot disambiguate moves!";
const char* const kOutOfRange = "CChessboardState::GetField(): Index out of range!";

CMove Find(const CChessSet& set, std::string_view token, EPieceColor colour = White) {
    return CPGNReader::FindMove(token, colour, set);
}

std::string DiagramOf(const std::vector<CPlaced>& pieces) {
    std::string out(71, '.');
    for (int i = 1; i < 8; ++i) {
        out[static_cast<std::size_t>(i * 9 - 1)] = '/';
    }
    for (const CPlaced& p : pieces) {
        const char letter = "PNBRQK"[p.piece.type];
        out[static_cast<std::size_t>((7 - p.rank) * 9 + p.file)] =
            p.piece.color == White ? letter : static_cast<char>(letter + 32);
    }
    return out;
}

// Turns the set into exactly the listed position (both kings included) by executing moves
// without legality checks: the kings take every piece not needed, spare pawns are promoted
// to the pieces the initial set lacks, then every piece is carried to its square.
void Arrange(CChessSet& set, std::string_view list) {
    set.Reset();
    const std::vector<CPlaced> wanted = ParsePieces(list);
    struct CJob {
        int file, rank;
        CPlaced target;
        bool promote;
    };
    std::vector<CJob> jobs;
    std::vector<bool> taken(64, false);
    const CChessboardState& board = set.Board();
    auto holds = [&](int sq, const CPiece& piece) {
        const CField field = board.GetField(sq / 8, sq % 8);
        return !field.IsEmpty() && field.Piece() == piece;
    };
    for (const CPlaced& w : wanted) {
        int found = -1;
        for (int pass = 0; pass < 2 && found < 0; ++pass) {
            const CPiece source = pass == 0 ? w.piece : CPiece{w.piece.color, Pawn};
            for (int sq = 0; sq < 64 && found < 0; ++sq) {
                found = !taken[sq] && holds(sq, source) ? sq : -1;
            }
        }
        ASSERT_GE(found, 0) << "no piece left for " << list;
        taken[found] = true;
        jobs.push_back({found / 8, found % 8, w, !holds(found, w.piece)});
    }
    auto carry = [&](CJob& job, int file, int rank, int code) {
        set.Move({job.file, job.rank, file, code});
        set.ClearMoveReady();
        job.file = file;
        job.rank = rank;
    };
    for (CJob& king : jobs) {
        if (king.target.piece.type != King) {
            continue;
        }
        for (int sq = 0; sq < 64; ++sq) {
            const CField field = board.GetField(sq / 8, sq % 8);
            if (!taken[sq] && !field.IsEmpty() && field.Piece().type != King &&
                field.Piece().color != king.target.piece.color) {
                carry(king, sq / 8, sq % 8, sq % 8);
            }
        }
    }
    for (CJob& job : jobs) {
        const int last = job.target.piece.color == White ? 7 : 0;
        for (int file = 0; job.promote && file < 8; ++file) {
            if (board.GetField(file, last).IsEmpty()) {
                const int type = job.target.piece.type;
                carry(job, file, last, last == 7 ? 7 + type : -type);
                job.promote = false;
            }
        }
    }
    auto wantedAt = [&](int sq) {
        for (const CPlaced& w : wanted) {
            if (w.file * 8 + w.rank == sq) {
                return true;
            }
        }
        return false;
    };
    for (int round = 0; round < 64; ++round) {
        CJob* waiting = nullptr;
        bool progress = false;
        for (CJob& job : jobs) {
            if (job.file != job.target.file || job.rank != job.target.rank) {
                waiting = &job;
                if (board.GetField(job.target.file, job.target.rank).IsEmpty()) {
                    carry(job, job.target.file, job.target.rank, job.target.rank);
                    progress = true;
                }
            }
        }
        // A cycle of pieces waiting for each other's squares: park one on a square nobody wants.
        for (int sq = 0; waiting != nullptr && !progress && sq < 64; ++sq) {
            if (board.GetField(sq / 8, sq % 8).IsEmpty() && !wantedAt(sq)) {
                carry(*waiting, sq / 8, sq % 8, sq % 8);
                progress = true;
            }
        }
    }
    ASSERT_EQ(Diagram(board), DiagramOf(wanted)) << list;
}

TEST(MoveResolution, PawnPushesFromTheInitialPosition) {
    CChessSet set;
    EXPECT_EQ(Find(set, "e4"), (CMove{4, 1, 4, 3}));
    EXPECT_EQ(Find(set, "e3"), (CMove{4, 1, 4, 2}));
    EXPECT_EQ(Find(set, "e5", Black), (CMove{4, 6, 4, 4}));
    EXPECT_EQ(Find(set, "Nf3"), (CMove{6, 0, 5, 2}));
    EXPECT_EQ(Find(set, "Nc3++"), (CMove{1, 0, 2, 2}));
    EXPECT_EQ(Find(set, "Nf6", Black), (CMove{6, 7, 5, 5}));
    // Nothing on e4 or e3: the source stays unknown and the board refuses the move.
    const CMove e5 = Find(set, "e5");
    EXPECT_EQ(e5, (CMove{-1, -1, 4, 4}));
    EXPECT_THROW_MSG(set.Move(e5), CChessboardStateException, kOutOfRange);
    EXPECT_EQ(Find(set, "xe5"), (CMove{-1, -1, 4, 4}));
    // The knights of the side not to move never count.
    EXPECT_THROW_MSG(Find(set, "Nf6"), CPGNReaderException, kNoStepper);
}

TEST(MoveResolution, PawnPushSearchLooksTwoSquaresBackAtMost) {
    CChessSet set;
    Play(set, {"e2e4", "g1e3", "d7d3", "b1f7"});
    EXPECT_EQ(Find(set, "e6"), (CMove{4, 3, 4, 5}));                   // no start-rank check
    EXPECT_THROW_MSG(Find(set, "e4"), CPGNReaderException, kPawnMove); // own knight on e3
    EXPECT_THROW_MSG(Find(set, "d4"), CPGNReaderException, kPawnMove); // black pawn on d3
    EXPECT_THROW_MSG(Find(set, "f5", Black), CPGNReaderException, kPawnMove);
    EXPECT_THROW_MSG(Find(set, "f6", Black), CPGNReaderException, kPawnMove); // white knight
    EXPECT_EQ(Find(set, "d5", Black), (CMove{-1, -1, 3, 4}));
    EXPECT_EQ(Find(set, "h5", Black), (CMove{7, 6, 7, 4}));
    EXPECT_THROW_MSG(Find(set, "e2"), CPGNReaderException, kPawnMove); // king on e1
    EXPECT_THROW_MSG(Find(set, "e1"), CChessboardStateException, kOutOfRange);
    EXPECT_THROW_MSG(Find(set, "e8", Black), CChessboardStateException, kOutOfRange);
    Play(set, {"a1a4"});
    EXPECT_THROW_MSG(Find(set, "a2"), CChessboardStateException, kOutOfRange);
}

TEST(MoveResolution, PawnCapturesTakeTheFileAndIgnoreTheBoard) {
    CChessSet set;
    EXPECT_EQ(Find(set, "exd5"), (CMove{4, 3, 3, 4}));
    EXPECT_EQ(Find(set, "exd5", Black), (CMove{4, 5, 3, 4}));
    EXPECT_EQ(Find(set, "ed5"), (CMove{4, 3, 3, 4}));
    EXPECT_THROW_MSG(Find(set, "e4xd5"), CPGNReaderException, kNotation);
    EXPECT_THROW_MSG(Find(set, "ixd5"), CPGNReaderException, kSymbol);
}

TEST(MoveResolution, SyntaxFailures) {
    CChessSet set;
    EXPECT_THROW_MSG(Find(set, "e"), CPGNReaderException, kNotation);
    EXPECT_THROW_MSG(Find(set, ""), CPGNReaderException, kNotation);
    EXPECT_THROW_MSG(Find(set, "+"), CPGNReaderException, kNotation);
    EXPECT_THROW_MSG(Find(set, "e9"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "E4"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "e4#"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "nf3"), CPGNReaderException, kSymbol);
    EXPECT_THROW_MSG(Find(set, "Pe4"), CPGNReaderException, kSymbol);
    EXPECT_THROW_MSG(Find(set, "Nxxf3"), CPGNReaderException, kNotation);
    int file = 9;
    int rank = 9;
    CPGNReader::GetFieldCoords("h8", file, rank);
    EXPECT_EQ(file * 10 + rank, 77);
    EXPECT_THROW_MSG(CPGNReader::GetFieldCoords("a", file, rank), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(CPGNReader::GetFieldCoords("a10", file, rank), CPGNReaderException, kSquare);
}

TEST(MoveResolution, CastlingWithLettersOrZeros) {
    CChessSet set;
    for (std::string_view kingside : {"O-O", "0-0", "O-O+", "0-0!?", "0-0+!"}) {
        EXPECT_EQ(Find(set, kingside), (CMove{4, 0, 7, 0})) << kingside;
        EXPECT_EQ(Find(set, kingside, Black), (CMove{4, 7, 7, 7})) << kingside;
    }
    for (std::string_view queenside : {"O-O-O", "0-0-0", "O-O-O+", "0-0-0??"}) {
        EXPECT_EQ(Find(set, queenside), (CMove{4, 0, 0, 0})) << queenside;
        EXPECT_EQ(Find(set, queenside, Black), (CMove{4, 7, 0, 7})) << queenside;
    }
    EXPECT_THROW_MSG(Find(set, "O-0"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "0-O-0"), CPGNReaderException, kSquare);
}

TEST(MoveResolution, StraightPromotionsFoldThePieceIntoTheRank) {
    CChessSet set;
    EXPECT_EQ(Find(set, "e8=Q"), (CMove{4, 6, 4, 11}));
    EXPECT_EQ(Find(set, "e8Q+"), (CMove{4, 6, 4, 11}));
    EXPECT_EQ(Find(set, "e8=N"), (CMove{4, 6, 4, 8}));
    EXPECT_EQ(Find(set, "e8=B"), (CMove{4, 6, 4, 9}));
    EXPECT_EQ(Find(set, "e8R"), (CMove{4, 6, 4, 10}));
    EXPECT_EQ(Find(set, "a1=N", Black), (CMove{0, 1, 0, -1}));
    EXPECT_EQ(Find(set, "a1Q", Black), (CMove{0, 1, 0, -4}));
    // Any rank: the code is the rank plus (White) or minus (Black) the piece type.
    EXPECT_EQ(Find(set, "e5=Q"), (CMove{4, 3, 4, 8}));
    EXPECT_EQ(Find(set, "e4=N", Black), (CMove{4, 4, 4, 2}));
    EXPECT_THROW_MSG(Find(set, "e8=K"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "e9=Q"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "=Q"), CPGNReaderException, kPromotion);
    EXPECT_THROW_MSG(Find(set, "Q"), CPGNReaderException, kPromotion);
    EXPECT_THROW_MSG(Find(set, "e8==Q"), CPGNReaderException, kPromotion);
}

TEST(MoveResolution, CapturingPromotions) {
    CChessSet set;
    EXPECT_EQ(Find(set, "exd8=Q"), (CMove{4, 6, 3, 11}));
    EXPECT_EQ(Find(set, "exd8Q"), (CMove{4, 6, 3, 11}));
    EXPECT_EQ(Find(set, "gxh8=N+"), (CMove{6, 6, 7, 8}));
    EXPECT_EQ(Find(set, "bxa1=N", Black), (CMove{1, 1, 0, -1}));
    EXPECT_EQ(Find(set, "bxa1R", Black), (CMove{1, 1, 0, -3}));
    EXPECT_EQ(Find(set, "exd5=B"), (CMove{4, 3, 3, 6}));
    EXPECT_THROW_MSG(Find(set, "exd9=Q"), CPGNReaderException, kSquare);
    EXPECT_THROW_MSG(Find(set, "Nxd8=Q"), CPGNReaderException, kPromotion);
    EXPECT_THROW_MSG(Find(set, "e-d8=Q"), CPGNReaderException, kPromotion);
    EXPECT_THROW_MSG(Find(set, "xd8=Q"), CPGNReaderException, kPromotion);
    EXPECT_THROW_MSG(Find(set, "e7xd8=Q"), CPGNReaderException, kPromotion);

    // The set executes what the resolution returns.
    Play(set, {"e2e7"});
    set.Move(Find(set, "exd8=Q"));
    EXPECT_EQ(Diagram(set.Board()),
              "rnbQkbnr/pppp.ppp/......../......../......../......../PPPP.PPP/RNBQKBNR");
}

TEST(MoveResolution, AnnotationSuffixesAreDropped) {
    CChessSet set;
    for (std::string_view token : {"Nf3!", "Nf3?", "Nf3!!", "Nf3??", "Nf3!?", "Nf3?!", "Nf3+?!",
                                   "Nf3?+", "Nf3++!!++", "Nf3+!+"}) {
        EXPECT_EQ(Find(set, token), (CMove{6, 0, 5, 2})) << token;
    }
    EXPECT_EQ(Find(set, "e8=Q!"), (CMove{4, 6, 4, 11}));
    EXPECT_EQ(Find(set, "e4?"), (CMove{4, 1, 4, 3}));
    // One annotation only: whatever stands before it stays and fails.
    for (std::string_view token : {"e4!!!", "e4!?!", "e4?!?", "e4!+!", "e4!!?", "e4?!?!"}) {
        EXPECT_THROW_MSG(Find(set, token), CPGNReaderException, kSquare);
    }
    EXPECT_THROW_MSG(Find(set, "!?"), CPGNReaderException, kNotation);
}

TEST(MoveResolution, SlidersSeeTheirOwnLinesUpToTheFirstPiece) {
    const std::vector<std::pair<int, int>> lines = {{1, 0},  {1, 1},   {0, -1}, {1, -1},
                                                    {-1, 0}, {-1, -1}, {0, 1},  {-1, 1}};
    for (const auto& [df, dr] : lines) {
        const bool straight = df == 0 || dr == 0;
        std::string pieces = "Kh2 kh8 Q";
        pieces += static_cast<char>('d' + 3 * df);
        pieces += static_cast<char>('4' + 3 * dr);
        CChessSet set;
        Arrange(set, pieces);
        const CMove expected{3 + 3 * df, 3 + 3 * dr, 3, 3};
        EXPECT_EQ(Find(set, "Qd4"), expected) << pieces;
        pieces[8] = 'R';
        Arrange(set, pieces);
        if (straight) {
            EXPECT_EQ(Find(set, "Rd4"), expected) << pieces;
        } else {
            EXPECT_THROW_MSG(Find(set, "Rd4"), CPGNReaderException, kNoSlider);
        }
        pieces[8] = 'B';
        Arrange(set, pieces);
        if (straight) {
            EXPECT_THROW_MSG(Find(set, "Bd4"), CPGNReaderException, kNoSlider);
        } else {
            EXPECT_EQ(Find(set, "Bd4"), expected) << pieces;
        }
    }
    CChessSet set;
    EXPECT_THROW_MSG(Find(set, "Qd3"), CPGNReaderException, kNoSlider); // d2 pawn in the way
    EXPECT_THROW_MSG(Find(set, "Rh3"), CPGNReaderException, kNoSlider);
    EXPECT_THROW_MSG(Find(set, "Kd3"), CPGNReaderException, kNoStepper);
    EXPECT_THROW_MSG(Find(set, "Qd8", Black), CPGNReaderException, kNoSlider); // not itself
}

TEST(MoveResolution, HintsPickAmongRooks) {
    CChessSet set;
    Arrange(set, "Ra1 Rh1 Kb3 kb8");
    EXPECT_THROW_MSG(Find(set, "Rd1"), CPGNReaderException, kNoHints);
    EXPECT_EQ(Find(set, "Rad1"), (CMove{0, 0, 3, 0}));
    EXPECT_EQ(Find(set, "Rhxd1+"), (CMove{7, 0, 3, 0}));
    EXPECT_EQ(Find(set, "Ra1d1"), (CMove{0, 0, 3, 0}));
    EXPECT_THROW_MSG(Find(set, "R1d1"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Rbd1"), CPGNReaderException, kAmbiguous); // file b: none
    EXPECT_THROW_MSG(Find(set, "Rzd1"), CPGNReaderException, kAmbiguous); // filters nothing
    EXPECT_THROW_MSG(Find(set, "Rbad1"), CPGNReaderException, kNotation); // 'b' left over
    EXPECT_THROW_MSG(Find(set, "Rxad1"), CPGNReaderException, kNotation); // 'x' left over
    EXPECT_EQ(Find(set, "Ra8"), (CMove{0, 0, 0, 7}));
    EXPECT_THROW_MSG(Find(set, "Raa8"), CPGNReaderException, kNotation); // hint not needed

    CChessSet opening;
    Play(opening, {"d2d4", "d7d5"});
    EXPECT_EQ(Find(opening, "Nd2"), (CMove{1, 0, 3, 1}));
    EXPECT_THROW_MSG(Find(opening, "Nbd2"), CPGNReaderException, kNotation);
}

TEST(MoveResolution, RankThenFileHintsPickAmongQueens) {
    CChessSet set;
    Arrange(set, "Qh4 Qh1 Qe4 Ka2 ka8");
    EXPECT_EQ(Find(set, "Qh4e1"), (CMove{7, 3, 4, 0}));
    EXPECT_EQ(Find(set, "Qee1"), (CMove{4, 3, 4, 0}));
    EXPECT_EQ(Find(set, "Q1e1"), (CMove{7, 0, 4, 0}));
    EXPECT_EQ(Find(set, "Qa1e1"), (CMove{7, 0, 4, 0})); // 'a' consumed, but one was left
    EXPECT_THROW_MSG(Find(set, "Qhe1"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Q4e1"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Qa4e1"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Q44e1"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Qe1"), CPGNReaderException, kNoHints);
    EXPECT_THROW_MSG(Find(set, "Qxh4e1"), CPGNReaderException, kNotation);
}

TEST(MoveResolution, PinsSettleWhatTheHintsLeaveOpen) {
    CChessSet set;
    // The e2 knight shields its king from the rook on e8.
    Arrange(set, "Ke1 Ne2 Nh5 Ng2 re8 ka8");
    EXPECT_EQ(Find(set, "Ng3"), (CMove{7, 4, 6, 2}));
    EXPECT_EQ(Find(set, "N2f4"), (CMove{6, 1, 5, 3}));                 // rank 2 leaves e2 and g2
    EXPECT_EQ(Find(set, "Nef4"), (CMove{4, 1, 5, 3}));                 // a hint may still name it
    EXPECT_THROW_MSG(Find(set, "Nf4"), CPGNReaderException, kNoHints); // h5 and g2 are free
    EXPECT_THROW_MSG(Find(set, "N7f4"), CPGNReaderException, kAmbiguous);
    EXPECT_THROW_MSG(Find(set, "Nhef4"), CPGNReaderException, kNotation);
    EXPECT_EQ(Find(set, "Nc3"), (CMove{4, 1, 2, 2})); // the only candidate, pinned or not

    // A rook pinned on the diagonal; the black side as well.
    Arrange(set, "Ka1 Rb2 Rb7 bh8 kh1 rg2 rg6 Bd5");
    EXPECT_EQ(Find(set, "Rb5"), (CMove{1, 6, 1, 4}));
    EXPECT_EQ(Find(set, "Rg4", Black), (CMove{6, 5, 6, 3}));

    // Taking the pinning piece keeps the line closed: both rooks may go.
    Arrange(set, "Ke1 Re2 Ra8 re8 kh8");
    EXPECT_THROW_MSG(Find(set, "Rxe8"), CPGNReaderException, kNoHints);

    // Both knights pinned: none remains and the message stands.
    Arrange(set, "Ke1 Nd2 Ng3 ba5 bh4 ka8");
    EXPECT_THROW_MSG(Find(set, "Ne4"), CPGNReaderException, kNoHints);

    // A check no candidate can lift leaves none either.
    Arrange(set, "Ke1 Ne2 Nh5 re8 nd3 ka8");
    EXPECT_THROW_MSG(Find(set, "Nf4"), CPGNReaderException, kNoHints);
    Arrange(set, "Ke1 Ne2 Nh5 re8 pf2 ka8");
    EXPECT_THROW_MSG(Find(set, "Nf4"), CPGNReaderException, kNoHints);
    Arrange(set, "Ke1 Ne2 Nh5 re8 pf3 ka8"); // a pawn that does not attack e1
    EXPECT_EQ(Find(set, "Nf4"), (CMove{7, 4, 5, 3}));
}

TEST(MoveResolution, SourceSearchesRefuseOtherPieceTypes) {
    CChessSet set;
    for (EPieceType type : {Pawn, Knight, King}) {
        EXPECT_THROW_MSG(CMoveResolutionProbe::Slider(set, type), CPGNReaderException,
                         "CPGNReader::FindBRQSrcField(): This function isn't supposed to use with "
                         "pieces other than Bishop, Rook or Queen!");
    }
    for (EPieceType type : {Pawn, Bishop, Rook, Queen}) {
        EXPECT_THROW_MSG(CMoveResolutionProbe::Stepper(set, type), CPGNReaderException,
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
        int f = file + steps[i].first;
        int r = rank + steps[i].second;
        for (; f >= 0 && f < 8 && r >= 0 && r < 8; f += steps[i].first, r += steps[i].second) {
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
                const std::string destName{static_cast<char>('a' + df),
                                           static_cast<char>('1' + dr)};
                const std::string full = letter + static_cast<char>('a' + sq / 8) +
                                         static_cast<char>('1' + sq % 8) +
                                         (dest.IsEmpty() ? "" : "x") + destName;
                const CMove expected{sq / 8, sq % 8, df, dr};
                if (reaching > 1) {
                    ++ambiguous;
                    EXPECT_EQ(Find(set, full, piece.color), expected) << full;
                } else {
                    EXPECT_THROW_MSG(Find(set, full, piece.color), CPGNReaderException, kNotation);
                    EXPECT_EQ(Find(set, letter + destName, piece.color), expected) << full;
                }
            }
        }
    }
    EXPECT_GT(ambiguous, 100);
}

} // namespace
