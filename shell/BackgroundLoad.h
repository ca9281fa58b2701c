#pragma once

#include "common/LoadProgress.h"
#include "pgn/TextParser.h"

#include <functional>
#include <string>
#include <thread>

class CPGNReader;

// One PGN file read on a worker thread, so that the window stays responsive however long the
// read takes. The reader's list is not touched: the caller appends what was read once the read
// has ended.
class CBackgroundLoad {
public:
    // Starts reading at once. On the worker: `progress` is called at most every 50 ms while the
    // read runs, `done` once when it has ended (read, failed or cancelled).
    CBackgroundLoad(CPGNReader& reader, std::string path, std::function<void()> progress,
                    std::function<void()> done);
    // Cancels the read and waits for the worker.
    ~CBackgroundLoad();
    CBackgroundLoad(const CBackgroundLoad&) = delete;
    CBackgroundLoad& operator=(const CBackgroundLoad&) = delete;

    // The read ends at its next chance and appends nothing. Any thread.
    void Cancel() noexcept { progress.cancelled = true; }
    bool Cancelled() const noexcept { return progress.Cancelled(); }
    // The share of the file read so far, 0..1. Any thread.
    double Fraction() const noexcept { return progress.Fraction(); }
    const std::string& Path() const noexcept { return path; }

    // Waits for the worker; then the outcome below may be read.
    void Join();
    // The games read, unless the read failed or was cancelled.
    CParsedText& Result() noexcept { return result; }
    bool Failed() const noexcept { return failed; }
    // Why the read failed: the reader's message, and what is wrong with the file in plain
    // words where that is known.
    const std::string& Failure() const noexcept { return failure; }
    const std::string& PlainReason() const noexcept { return plainReason; }

private:
    void Run(CPGNReader& reader, const std::function<void()>& done);

    std::string path;
    CLoadProgress progress;
    CParsedText result;
    bool failed = false;
    std::string failure;
    std::string plainReason;
    std::thread worker;
};
