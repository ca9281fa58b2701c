#pragma once

#include <cstdint>

// Which frame of a video shows what: a title card, then each move in its slot of the same
// length (its animation, then the pause after it), then the final position held with the
// result. Time runs from the frame number alone, never from a clock, so a slow machine makes
// the same video as a fast one.
class CExportTimeline {
public:
    static constexpr std::uint32_t kTitleMs = 2000;
    static constexpr std::uint32_t kEndHoldMs = 3000;

    // `moveMs` is one move's slot (animation and pause), at least one frame.
    CExportTimeline(int fps, int moves, std::uint32_t moveMs);

    enum class EPhase { Title, Move, EndHold };
    struct SMoment {
        EPhase phase = EPhase::Title;
        int move = -1;           // the move whose slot the frame lies in (Move), else -1
        bool startsMove = false; // the first frame of that slot: the move is played now
        bool startsHold = false; // the first frame of the end hold
    };

    int TitleFrames() const { return titleFrames; }
    int FramesPerMove() const { return framesPerMove; }
    int HoldFrames() const { return holdFrames; }
    // Title + moves x frames per move + hold.
    int TotalFrames() const { return titleFrames + moves * framesPerMove + holdFrames; }
    SMoment At(int frame) const;
    // The animation clock at the start of `frame`, in milliseconds from the video's start.
    std::uint32_t TickOf(int frame) const;

private:
    int fps;
    int moves;
    int titleFrames;
    int framesPerMove;
    int holdFrames;
};
