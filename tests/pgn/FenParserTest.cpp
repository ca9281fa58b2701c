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

} // namespace

// A FEN's board, side to move and full-move number; the forms the reader takes and refuses
// are games of the fixtures fen_forms_read.pgn and fen_fields_refused.pgn.
TEST(FenParser, ReadsTheBoardTheSideToMoveAndTheFullMoveNumber) {
    const CFenPosition ending = ParseFen("8/8/4k3/8/2K5/8/3R4/8 b - - 12 30");
    EXPECT_EQ(Diagram(ending.board),
              "......../......../....k.../......../..K...../......../...R..../........");
    EXPECT_EQ(ending.sideToMove, Black);
    EXPECT_EQ(ending.fullMoveNumber, 30);
    const CFenPosition initial = StartPosition("");
    EXPECT_EQ(Diagram(initial.board), testutil::kInitialDiagram);
    EXPECT_EQ(Diagram(ParseFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1").board),
              testutil::kInitialDiagram);
    EXPECT_EQ(initial.sideToMove, White);
    EXPECT_EQ(initial.fullMoveNumber, 1);
    EXPECT_EQ(StartPosition("8/8/4k3/8/2K5/8/3R4/8 b - - 12 30").fullMoveNumber, 30);
    EXPECT_THROW_MSG(ParseFen(""), CPGNReaderException, kNotValid);
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
