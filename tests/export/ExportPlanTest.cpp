#include "export/ExportException.h"
#include "export/ExportTimeline.h"
#include "export/MoveRange.h"
#include "export/VideoFormat.h"
#include "export/VideoOverlays.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

// Every frame belongs to the title, to one move's slot or to the hold, in that order; each move
// starts on exactly one frame, its slot's first; the clock runs from the frame number alone.
TEST(ExportPlan, TheTimelineCountsTitleMovesAndHold) {
    for (int fps : {30, 60}) {
        for (std::uint32_t moveMs : {100u, 1600u, 2250u}) {
            const CExportTimeline timeline(fps, 7, moveMs);
            const int perMove = static_cast<int>((moveMs * fps + 500) / 1000);
            EXPECT_EQ(timeline.TotalFrames(), 2 * fps + 7 * perMove + 3 * fps);
            int starts = 0;
            int holdStarts = 0;
            for (int frame = 0; frame < timeline.TotalFrames(); ++frame) {
                const CExportTimeline::SMoment moment = timeline.At(frame);
                const int intoMoves = frame - 2 * fps;
                if (moment.startsMove) {
                    EXPECT_EQ(intoMoves, moment.move * perMove);
                    ++starts;
                }
                holdStarts += moment.startsHold ? 1 : 0;
                const auto expected = frame < 2 * fps           ? CExportTimeline::EPhase::Title
                                      : intoMoves < 7 * perMove ? CExportTimeline::EPhase::Move
                                                                : CExportTimeline::EPhase::EndHold;
                EXPECT_EQ(moment.phase, expected);
                EXPECT_EQ(timeline.TickOf(frame), static_cast<std::uint32_t>(frame * 1000 / fps));
            }
            EXPECT_EQ(starts, 7);
            EXPECT_EQ(holdStarts, 1);
        }
    }
}

// Full moves as the game numbers them: from the initial position, and from a set-up position
// with Black to move at move 30.
TEST(ExportPlan, FullMovesBecomeMoveIndexes) {
    const std::vector<CMove> moves(9, CMove{4, 1, 4, 3});
    const CChessGameData fromStart("", "", "", "", "", "", ResultNone, moves);
    EXPECT_EQ(FullMoveRange(fromStart, 1, 6).first, 0);
    EXPECT_EQ(FullMoveRange(fromStart, 1, 6).end, 9); // past the end: stops there
    EXPECT_EQ(FullMoveRange(fromStart, 2, 3).first, 2);
    EXPECT_EQ(FullMoveRange(fromStart, 2, 3).end, 6);
    const CChessGameData setUp("", "", "", "", "", "", ResultNone, moves,
                               "8/8/8/4k3/8/8/4K3/8 b - - 0 30");
    EXPECT_EQ(FullMoveRange(setUp, 30, 30).first, 0);
    EXPECT_EQ(FullMoveRange(setUp, 30, 30).end, 1);
    EXPECT_EQ(FullMoveRange(setUp, 31, 32).first, 1);
    EXPECT_EQ(FullMoveRange(setUp, 31, 32).end, 5);
    EXPECT_THROW_MSG(FullMoveRange(setUp, 1, 29), CExportException,
                     "FullMoveRange(): The game has no moves 1-29.");
    EXPECT_THROW_MSG(FullMoveRange(fromStart, 4, 2), CExportException,
                     "FullMoveRange(): The moves 4-2 run backwards: the first comes after "
                     "the last.");
}

TEST(ExportPlan, FormatsSizesAndDates) {
    EXPECT_EQ(FormatOfPath("a/b.MP4"), EVideoFormat::Mp4);
    EXPECT_EQ(FormatOfPath("clip.webm"), EVideoFormat::WebM);
    EXPECT_EQ(FormatOfPath("x.y/clip.gif"), EVideoFormat::Gif);
    EXPECT_EQ(FormatOfPath("x.mp4/clip"), std::nullopt);
    EXPECT_EQ(FormatOfPath("clip.avi"), std::nullopt);
    EXPECT_EQ(PlayableFps(EVideoFormat::Gif, 60), 30);
    EXPECT_EQ(PlayableFps(EVideoFormat::Mp4, 60), 60);
    EXPECT_EQ(CheckVideoSettings({EVideoFormat::Mp4, 1920, 1080, 60}), "");
    EXPECT_EQ(CheckVideoSettings({EVideoFormat::Mp4, 1281, 720, 30}),
              "The size 1281x720 cannot be encoded: each side must be even, from 16 to 4096 "
              "pixels.");
    EXPECT_EQ(CheckVideoSettings({EVideoFormat::Gif, 640, 360, 0}),
              "The rate of 0 frames a second cannot be encoded: it must lie from 1 to 120.");
    EXPECT_EQ(KnownDate("1985.11.09"), "1985.11.09");
    EXPECT_EQ(KnownDate("1985.??.??"), "1985");
    EXPECT_EQ(KnownDate("????.??.??"), "");
    EXPECT_EQ(KnownDate(""), "");
}
