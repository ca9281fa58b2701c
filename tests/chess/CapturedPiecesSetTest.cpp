#include "chess/CapturedPiecesSet.h"

#include "chess/ChessExceptions.h"
#include "support/ExpectThrow.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

const char* const kTooMany = "CCapturedPiecesSet::Validate(): You can't put more than 15 pieces "
                             "into captured pieces set. Something's wrong!";
const char* const kColors = "CCapturedPiecesSet::Validate(): You can't put pieces of different "
                            "colors into captured pieces set. Something's wrong!";
const char* const kPawns = "CCapturedPiecesSet::Validate(): You can't put more than 8 pawns into "
                           "captured pieces set. Something's wrong!";
const char* const kKing = "CCapturedPiecesSet::Validate(): You can't put a King into captured "
                          "pieces set. Something's wrong!";

std::vector<CPiece> Contents(const CCapturedPiecesSet& set) {
    std::vector<CPiece> out;
    for (int i = 0; i < set.Count(); ++i) {
        out.push_back(set.GetPiece(i));
    }
    return out;
}

} // namespace

TEST(CapturedPiecesSet, GetPieceChecksTooHighBeforeNegative) {
    CCapturedPiecesSet set;
    const char* tooHigh = "CCapturedPiecesSet::GetPiece(): Parameter 'i' is too high! There "
                          "aren't so many pieces in the set. Something's wrong!";
    const char* negative = "CCapturedPiecesSet::GetPiece(): Parameter 'i' is lower than 0! Index "
                           "cannot be negative!";
    EXPECT_THROW_MSG(set.GetPiece(0), CCapturedPiecesException, tooHigh);
    EXPECT_THROW_MSG(set.GetPiece(-1), CCapturedPiecesException, negative);
    set.Add({Black, Knight});
    set.Add({Black, Pawn});
    EXPECT_EQ(set.GetPiece(0), (CPiece{Black, Knight}));
    EXPECT_EQ(set.GetPiece(1), (CPiece{Black, Pawn}));
    EXPECT_THROW_MSG(set.GetPiece(2), CCapturedPiecesException, tooHigh);
    EXPECT_THROW_MSG(set.GetPiece(-1), CCapturedPiecesException, negative);
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
}

TEST(CapturedPiecesSet, EachRuleRefusesTheAddAndKeepsTheSet) {
    CCapturedPiecesSet set;
    for (int i = 0; i < 8; ++i) {
        set.Add({White, Pawn});
    }
    EXPECT_THROW_MSG(set.Add({White, Pawn}), CCapturedPiecesException, kPawns);
    EXPECT_THROW_MSG(set.Add({White, King}), CCapturedPiecesException, kKing);
    EXPECT_THROW_MSG(set.Add({Black, Rook}), CCapturedPiecesException, kColors);
    for (EPieceType type : {Knight, Knight, Bishop, Bishop, Rook, Rook, Queen}) {
        set.Add({White, type});
    }
    EXPECT_EQ(set.Count(), 15);
    EXPECT_THROW_MSG(set.Add({White, Queen}), CCapturedPiecesException, kTooMany);
    EXPECT_EQ(set.Count(), 15);
    EXPECT_EQ(set.GetPiece(14), (CPiece{White, Queen}));
}

TEST(CapturedPiecesSet, ValidateOrderOfRules) {
    // Size is checked before colour, colour before the pawn and king pass, and in that pass the
    // first offending piece decides.
    std::vector<CPiece> sixteenMixed(16, CPiece{White, Knight});
    sixteenMixed[3] = {Black, King};
    EXPECT_THROW_MSG(CCapturedPiecesSet::Validate(sixteenMixed), CCapturedPiecesException,
                     kTooMany);
    EXPECT_THROW_MSG(CCapturedPiecesSet::Validate({{White, King}, {Black, Pawn}}),
                     CCapturedPiecesException, kColors);
    std::vector<CPiece> kingThenPawns(10, CPiece{Black, Pawn});
    kingThenPawns[2] = {Black, King};
    EXPECT_THROW_MSG(CCapturedPiecesSet::Validate(kingThenPawns), CCapturedPiecesException, kKing);
    std::vector<CPiece> pawnsThenKing(9, CPiece{Black, Pawn});
    pawnsThenKing.push_back({Black, King});
    EXPECT_THROW_MSG(CCapturedPiecesSet::Validate(pawnsThenKing), CCapturedPiecesException, kPawns);
}

// Random additions against a direct statement of the rules: a piece is accepted exactly when
// the rules hold for the set with it, and a refused piece leaves the contents unchanged.
TEST(CapturedPiecesSet, RandomAddsMatchTheRules) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        CCapturedPiecesSet set;
        std::vector<CPiece> model;
        for (int step = 0; step < 25; ++step) {
            const CPiece piece{rng() % 5 == 0 ? Black : White,
                               rng() % 9 < 4 ? Pawn : static_cast<EPieceType>(rng() % 6)};
            int pawns = piece.type == Pawn;
            for (const CPiece& p : model) {
                pawns += p.type == Pawn;
            }
            const bool valid = model.size() < 15 && piece.type != King && pawns <= 8 &&
                               (model.empty() || model.front().color == piece.color);
            bool accepted = true;
            try {
                set.Add(piece);
            } catch (const CCapturedPiecesException&) {
                accepted = false;
            }
            ASSERT_EQ(accepted, valid);
            if (accepted) {
                model.push_back(piece);
            }
            ASSERT_EQ(Contents(set), model);
        }
    }
}
