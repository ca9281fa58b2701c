#include "pgn/FenParser.h"

#include "FenTestUtil.h"
#include "pgn/PGNExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

using testutil::Diagram;
using testutil::Placement;

namespace {

const char* const kNotValid = "CPGNReader::ParseGame(): FEN not valid!";
const char* const kVariant = "CPGNReader::ParseGame(): Variant not supported!";

} // namespace

TEST(FenParser, ReadsTheBoardTheSideToMoveAndTheFullMoveNumber) {
    struct Case {
        const char* fen;
        const char* diagram; // nullptr: the initial position
        EPieceColor side;
        int fullMove;
    };
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", nullptr, White, 1},
        {"8/8/4k3/8/2K5/8/3R4/8 b - - 12 30",
         "......../......../....k.../......../..K...../......../...R..../........", Black, 30},
        // Four fields: the clocks are 0 and 1.
        {"4k3/8/8/8/8/8/4P3/4K3 w - -",
         "....k.../......../......../......../......../......../....P.../....K...", White, 1},
        // Puzzle exporters' full-move 0 is 1; leading zeros; the largest number.
        {"4k3/8/8/8/8/8/8/4K3 b - - 0 0",
         "....k.../......../......../......../......../......../......../....K...", Black, 1},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 007", nullptr, White, 7},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0002147483647", nullptr, White, 2147483647},
        // Neighbouring digits add up; castling letters may repeat; the en-passant square and the
        // half-move clock are not looked at.
        {"4k3/8/8/8/44/8/8/4K3 w KKq- z9 x 5", nullptr, White, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fen);
        const CFenPosition position = ParseFen(c.fen);
        if (c.diagram) {
            EXPECT_EQ(Diagram(position.board), c.diagram);
        } else if (std::string_view(c.fen).starts_with("rnbq")) {
            EXPECT_EQ(Diagram(position.board), testutil::kInitialDiagram);
        }
        EXPECT_EQ(position.sideToMove, c.side);
        EXPECT_EQ(position.fullMoveNumber, c.fullMove);
    }

    const CFenPosition initial = StartPosition("");
    EXPECT_EQ(Diagram(initial.board), testutil::kInitialDiagram);
    EXPECT_EQ(initial.sideToMove, White);
    EXPECT_EQ(initial.fullMoveNumber, 1);
    EXPECT_EQ(StartPosition("8/8/4k3/8/2K5/8/3R4/8 b - - 12 30").fullMoveNumber, 30);
}

TEST(FenParser, EachFieldRefusesItsFaultsInOrder) {
    struct Case {
        const char* fen;
        const char* message;
    };
    const Case cases[] = {
        // Fields: four or six, single spaces.
        {"", kNotValid},
        {" ", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w -", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 x", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3  w - - 0 1", kNotValid},
        {" 4k3/8/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 ", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3\tw - - 0 1", kNotValid},
        // Ranks: eight, separated by '/'.
        {"4k3/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3/ w - - 0 1", kNotValid},
        // Squares: eight per rank, from the piece letters and the digits 1-8.
        {"4k3/8/8/8/7/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/9/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/80/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8P/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/54/8/8/4K3 w - - 0 1", kNotValid},
        {"4k4/8/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/3x4/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8//8/8/8/4K3 w - - 0 1", kNotValid},
        // Kings: one of each colour.
        {"8/8/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/8 w - - 0 1", kNotValid},
        {"k3k3/8/8/8/8/8/8/4K3 w - - 0 1", kNotValid},
        // Side to move.
        {"4k3/8/8/8/8/8/8/4K3 W - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 wb - - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 - - - 0 1", kNotValid},
        // Castling: KQkq and '-'; other letters are Chess960 rook files.
        {"4k3/8/8/8/8/8/8/4K3 w KQkq1 - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w HAha - 0 1", kVariant},
        {"4k3/8/8/8/8/8/8/4K3 w Kx - 0 1", kVariant},
        {"4k3/8/8/8/8/8/8/4K3 w K1x - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w Kx1 - 0 1", kVariant},
        // Full-move number: digits only, up to 2147483647.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 -1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 +3", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 3.", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 2147483648", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 99999999999999999999", kNotValid},
        // The first failing field decides.
        {"4k3/8/8/8/8/8/8/4K3 w HAha - 0", kNotValid},
        {"4k3/8/8/8/8/8/8/3KK3 w HAha - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 x HAha - 0 1", kNotValid},
        {"4k3/8/8/8/8/8/8/4K3 w HAha - 0 x", kVariant},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fen);
        EXPECT_THROW_MSG(ParseFen(c.fen), CPGNReaderException, c.message);
    }
}

// Random placements, most of them one edit away from a valid one, against a reading of the
// same text by a different route: every digit expanded into that many empty squares, then the
// ranks split and measured.
TEST(FenParser, RandomPlacementsMatchTheirExpansion) {
    std::mt19937 rng(9);
    static constexpr std::string_view alphabet = "PNBRQKpnbrqk123456789/0x";
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string diagram;
        for (int rank = 0; rank < 8; ++rank) {
            for (int file = 0; file < 8; ++file) {
                diagram += rng() % 3 == 0 ? "PNBRQpnbrq"[rng() % 10] : '.';
            }
            diagram += rank < 7 ? "/" : "";
        }
        diagram[rng() % 8] = 'K'; // rank 8 for White's king, rank 1 for Black's: both legal here
        diagram[63 + rng() % 8] = 'k';
        std::string placement = Placement(diagram);
        const int edits = static_cast<int>(rng() % 3);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % (placement.size() + 1);
            const char c = alphabet[rng() % alphabet.size()];
            switch (rng() % 3) {
            case 0:
                placement.insert(at, 1, c);
                break;
            case 1:
                if (at < placement.size()) {
                    placement.erase(at, 1);
                }
                break;
            default:
                if (at < placement.size()) {
                    placement[at] = c;
                }
                break;
            }
        }

        std::string expanded;
        bool letters = true;
        for (const char c : placement) {
            if (c >= '1' && c <= '8') {
                expanded.append(static_cast<std::size_t>(c - '0'), '.');
            } else if (c == '/' || std::string_view("PNBRQKpnbrqk").find(c) != std::string::npos) {
                expanded += c;
            } else {
                letters = false;
            }
        }
        bool shaped = letters && expanded.size() == 71;
        for (std::size_t i = 8; shaped && i < 71; i += 9) {
            shaped = expanded[i] == '/';
        }
        const bool valid = shaped && std::count(expanded.begin(), expanded.end(), '/') == 7 &&
                           std::count(expanded.begin(), expanded.end(), 'K') == 1 &&
                           std::count(expanded.begin(), expanded.end(), 'k') == 1;

        const std::string fen = placement + " w - - 0 1";
        SCOPED_TRACE(fen);
        if (valid) {
            ASSERT_EQ(Diagram(ParseFen(fen).board), expanded);
            ++accepted;
        } else {
            ASSERT_THROW(ParseFen(fen), CPGNReaderException);
        }
    }
    EXPECT_GT(accepted, 5000);
}
