#include "chess/CapturedPiecesSet.h"

#include "chess/ChessExceptions.h"
#include "support/ExpectThrow.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<CPiece> Contents(const CCapturedPiecesSet& set) {
    std::vector<CPiece> out;
    for (int i = 0; i < set.Count(); ++i) {
        out.push_back(set.GetPiece(i));
    }
    return out;
}

} // namespace

// Each rule refuses the piece with its message and keeps the set as it was; indexes outside
// the set are refused.
TEST(CapturedPiecesSet, EachRuleRefusesTheAddAndKeepsTheSet) {
    CCapturedPiecesSet set;
    EXPECT_THROW_MSG(set.GetPiece(0), CCapturedPiecesException,
                     "CCapturedPiecesSet::GetPiece(): Parameter 'i' is too high! There aren't so "
                     "many pieces in the set. Something's wrong!");
    EXPECT_THROW_MSG(set.GetPiece(-1), CCapturedPiecesException,
                     "CCapturedPiecesSet::GetPiece(): Parameter 'i' is lower than 0! Index cannot "
                     "be negative!");
    for (int i = 0; i < 8; ++i) {
        set.Add({White, Pawn});
    }
    const std::string prefix = "CCapturedPiecesSet::Validate(): You can't put ";
    EXPECT_THROW_MSG(set.Add({White, Pawn}), CCapturedPiecesException,
                     prefix + "more than 8 pawns into captured pieces set. Something's wrong!");
    EXPECT_THROW_MSG(set.Add({White, King}), CCapturedPiecesException,
                     prefix + "a King into captured pieces set. Something's wrong!");
    EXPECT_THROW_MSG(set.Add({Black, Rook}), CCapturedPiecesException,
                     prefix + "pieces of different colors into captured pieces set. Something's "
                              "wrong!");
    for (EPieceType type : {Knight, Knight, Bishop, Bishop, Rook, Rook, Queen}) {
        set.Add({White, type});
    }
    EXPECT_THROW_MSG(set.Add({White, Queen}), CCapturedPiecesException,
                     prefix + "more than 15 pieces into captured pieces set. Something's wrong!");
    EXPECT_EQ(set.Count(), 15);
    EXPECT_EQ(set.GetPiece(14), (CPiece{White, Queen}));
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
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
