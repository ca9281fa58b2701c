#include "export/ExportTimeline.h"

#include <algorithm>

namespace {

// Whole frames nearest to `ms` at `fps`.
int FramesOf(std::uint32_t ms, int fps) {
    return static_cast<int>(
        (static_cast<std::uint64_t>(ms) * static_cast<std::uint64_t>(fps) + 500) / 1000);
}

} // namespace

CExportTimeline::CExportTimeline(int fps, int moves, std::uint32_t moveMs)
    : fps(std::max(fps, 1)), moves(std::max(moves, 0)), titleFrames(FramesOf(kTitleMs, this->fps)),
      framesPerMove(std::max(FramesOf(moveMs, this->fps), 1)),
      holdFrames(FramesOf(kEndHoldMs, this->fps)) {
}

CExportTimeline::SMoment CExportTimeline::At(int frame) const {
    SMoment moment;
    if (frame < titleFrames) {
        return moment;
    }
    const int intoMoves = frame - titleFrames;
    if (intoMoves < moves * framesPerMove) {
        moment.phase = EPhase::Move;
        moment.move = intoMoves / framesPerMove;
        moment.startsMove = intoMoves % framesPerMove == 0;
        return moment;
    }
    moment.phase = EPhase::EndHold;
    moment.startsHold = intoMoves == moves * framesPerMove;
    return moment;
}

std::uint32_t CExportTimeline::TickOf(int frame) const {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(frame) * 1000 /
                                      static_cast<std::uint64_t>(fps));
}
