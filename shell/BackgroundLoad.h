#pragma once

#include "common/LoadProgress.h"
#include "common/WorkerJob.h"
#include "openings/ListOpenings.h"
#include "pgn/TextParser.h"

#include <functional>
#include <string>

class CPGNReader;

// One PGN file read on a worker thread, so that the window stays responsive however long the
// read takes. The reader's list is not touched: the caller appends what was read once the read
// has ended. A failure's message is the whole text of the box that reports it (LoadFailureText).
class CBackgroundLoad {
public:
    // Starts reading at once. On the worker: `progress` is called at most every 50 ms while the
    // read runs, `done` once when it has ended (read, failed or cancelled).
    CBackgroundLoad(CPGNReader& reader, std::string path, std::function<void()> progress,
                    std::function<void()> done);
    CBackgroundLoad(const CBackgroundLoad&) = delete;
    CBackgroundLoad& operator=(const CBackgroundLoad&) = delete;

    // The read ends at its next chance and yields a cancellation. Any thread.
    void Cancel() noexcept {
        progress.cancelled = true;
        job.Cancel();
    }
    // The share of the file read so far, 0..1. Any thread.
    double Fraction() const noexcept { return progress.Fraction(); }
    const std::string& Path() const noexcept { return path; }
    // After Wait: the reader's own message of a failure, for the box's details.
    const std::string& Details() const noexcept { return details; }

    // Waits for the worker (it has ended once `done` was called) and gives the outcome: the
    // games read, the box text of a failure, or a cancellation.
    COutcome<CParsedText>& Wait() { return job.Wait(); }
    // After Wait, with a value: the openings of the games read, classified on the worker.
    CReadOpenings& Openings() noexcept { return openings; }

private:
    std::string path;
    std::string details; // written by the worker, read after Wait
    CLoadProgress progress;
    CReadOpenings openings;
    CWorkerJob<CParsedText> job; // last: its worker reads the members above
};
