#include "chess/ChessExceptions.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
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

// The message of an outcome named in the fixture.
const std::map<std::string, std::string> kMessages = {
    {"square", kSquare},          {"promotion", kPromotion}, {"symbol", kSymbol},
    {"notation", kNotation},      {"pawn-move", kPawnMove},  {"no-slider", kNoSlider},
    {"no-stepper", kNoStepper},   {"no-hints", kNoHints},    {"ambiguous", kAmbiguous},
    {"out-of-range", kOutOfRange}};

} // namespace

// Each token of the fixture on its position: see the file for the cases and their reasons.
TEST(MoveResolution, TokensOnPositions) {
    std::ifstream fixture("tests/fixtures/moves/tokens_on_positions.txt");
    ASSERT_TRUE(fixture.is_open());
    auto set = std::make_unique<CChessSet>();
    int checked = 0;
    for (std::string line; std::getline(fixture, line);) {
        std::istringstream fields(line);
        std::string first;
        std::string token;
        fields >> first >> token;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        if (first == "position") {
            set = std::make_unique<CChessSet>();
            if (token == "pieces") {
                set->SetUp(testutil::Board(rest));
            }
            for (std::istringstream moves(token == "play" ? rest : ""); moves >> token;) {
                testutil::Play(*set, {token});
            }
        } else if (first == "w" || first == "b") {
            const auto message = kMessages.find(rest);
            EXPECT_EQ(Outcome(*set, token == "(empty)" ? "" : token, first == "w" ? White : Black),
                      message == kMessages.end() ? rest : message->second)
                << line;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 115);
    int file = 9;
    int rank = 9;
    CPGNReader::GetFieldCoords("h8", file, rank);
    EXPECT_EQ(file * 10 + rank, 77);
    EXPECT_THROW_MSG(CPGNReader::GetFieldCoords("a10", file, rank), CPGNReaderException, kSquare);
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
