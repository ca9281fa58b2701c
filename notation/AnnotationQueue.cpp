#include "notation/AnnotationQueue.h"

CAnnotationQueue::CAnnotationQueue(std::function<void()> wake) : wake(std::move(wake)) {
}

void CAnnotationQueue::Request(unsigned ticket, CGameSource source, CChessGameData game) {
    CRequest request{ticket, std::move(source), std::move(game)};
    if (job != nullptr) {
        waiting = std::move(request);
        return;
    }
    Start(std::move(request));
}

// The worker owns its copies of the source and the game.
void CAnnotationQueue::Start(CRequest request) {
    running = request.ticket;
    job = std::make_unique<CWorkerJob<CNotationAnnotations>>(
        [source = std::move(request.source), game = std::move(request.game)](
            const std::atomic<bool>&) -> COutcome<CNotationAnnotations> {
            return AnnotationsForNotation(ReadGameAnnotations(source, game, kCommentBytesKept),
                                          game);
        },
        wake);
}

CNotationAnnotations CAnnotationQueue::Shown(COutcome<CNotationAnnotations>& outcome) {
    if (outcome.HasValue()) {
        return std::move(outcome.Value());
    }
    CNotationAnnotations none;
    none.note = "Annotations are not shown: " + outcome.Message();
    return none;
}

std::optional<CAnnotationQueue::CRead> CAnnotationQueue::Collect() {
    if (job == nullptr) {
        return std::nullopt;
    }
    CRead read{running, std::move(job->Wait())};
    job.reset();
    if (waiting) {
        CRequest next = std::move(*waiting);
        waiting.reset();
        Start(std::move(next));
    }
    return read;
}
