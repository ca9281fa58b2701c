#include "notation/AnnotationJob.h"

#include <exception>

CAnnotationJob::CAnnotationJob(CGameSource source, CChessGameData game, std::function<void()> done)
    : source(std::move(source)), game(std::move(game)) {
    worker = std::thread([this, done = std::move(done)] {
        // Nothing may escape the worker: without annotations the panel shows the moves alone.
        try {
            result =
                AnnotationsForNotation(ReadGameAnnotations(this->source, this->game), this->game);
        } catch (const std::exception&) {
            result = {};
            result.note = "Annotations are not shown: there is not enough memory.";
        }
        done();
    });
}

CAnnotationJob::~CAnnotationJob() {
    Join();
}

void CAnnotationJob::Join() {
    if (worker.joinable()) {
        worker.join();
    }
}
