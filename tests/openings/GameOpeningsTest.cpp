// A game's opening is the last named position of its main line: checked against a plain
// reference that replays every game to its end and looks every position up.

#include "openings/GameOpenings.h"

#include "SampleGames.h"
#include "common/LoadProgress.h"
#include "openings/OpeningsFolder.h"
#include "openings/SanLine.h"

#include <unordered_map>

#include <gtest/gtest.h>

namespace {

const COpeningBook& Book() {
    static const COpeningBook book = COpeningBook::Load(OpeningsFolder());
    return book;
}

COpeningMark ReferenceMark(const CStoredGame& game,
                           const std::unordered_map<CPositionKey, std::size_t>& names) {
    COpeningMark mark;
    CKeyedPosition position = CKeyedPosition::Start(game.Tag(kStart));
    for (std::uint32_t ply = 0;; ++ply) {
        if (const auto named = names.find(position.Key()); named != names.end()) {
            mark = {static_cast<COpeningBook::CEntryIndex>(named->second),
                    static_cast<std::uint16_t>(ply)};
        }
        if (ply == game.moveCount) {
            return mark;
        }
        position.Play(UnpackMove(game.moves[ply]));
    }
}

} // namespace

TEST(GameOpeningsTest, ClassificationAgreesWithReplayingEveryPosition) {
    std::unordered_map<CPositionKey, std::size_t> names;
    for (std::size_t i = 0; i < Book().Size(); ++i) {
        CKeyedPosition position;
        ReadSanLine(Book().Entry(static_cast<COpeningBook::CEntryIndex>(i)).line, position);
        names.emplace(position.Key(), i);
    }
    const auto games = testutil::SampleGames();
    const auto marks = ClassifyGames(Book(), games->Batches(), 3);
    ASSERT_TRUE(marks.has_value());
    ASSERT_EQ(marks->size(), games->Size());
    std::size_t named = 0;
    for (std::size_t g = 0; g < games->Size(); ++g) {
        const COpeningMark expected = ReferenceMark(games->Game(g), names);
        EXPECT_EQ((*marks)[g], expected) << "game " << g << ": " << GameTitle(games->Game(g));
        named += expected.Named() ? 1 : 0;
    }
    EXPECT_GT(named, games->Size() / 2);

    CLoadProgress cancelled;
    cancelled.cancelled = true;
    EXPECT_FALSE(ClassifyGames(Book(), games->Batches(), 2, &cancelled).has_value());
}
