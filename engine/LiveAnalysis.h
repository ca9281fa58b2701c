#pragma once

#include "engine/EnginePosition.h"
#include "engine/EngineSettings.h"
#include "engine/UciEngine.h"
#include "engine/UciInfo.h"
#include "platform/ChildProcess.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// What the live analysis reports.
struct CEngineEvent {
    enum class EKind {
        Started, // the engine runs; `text` is its name
        Lines,   // `lines` are the current lines of position `positionId`, line 1 first
        Warning, // `text` says what went wrong; analysis goes on (for `positionId` when not 0)
        Error,   // `text` says what went wrong; analysis is off and no engine runs
    };
    EKind kind = EKind::Lines;
    std::uint64_t positionId = 0;
    std::vector<CEngineLine> lines;
    bool final = false; // Lines: the search of this position has ended (a mate or stalemate)
    std::string text;
};

// Live analysis: one engine process, started when analysis is switched on and a position is
// given, ended when it is switched off. It runs on a thread of its own with blocking waits, so
// it needs no event loop, and every method returns at once (the destructor waits for the
// engine to quit, at most about a second).
//
// Each position is tagged with the caller's id. On a new position the search under way is
// stopped, its bestmove awaited, and only then the new position sent with "go infinite"; the
// lines reported always belong to the id they carry, and none of an earlier position is
// reported once a later one is given. Positions given faster than the engine takes them are
// skipped but for the last. Lines are reported when the first arrives and then at most every
// `updateMs`.
//
// `onEvent` is called on the analysis thread, never with a lock held: it may call back into
// this object. An Error (the engine is missing, did not answer within the limit, crashed, quit
// unasked or did not stop) is reported once; analysis is then off until SwitchOn.
class CLiveAnalysis {
public:
    CLiveAnalysis(IChildProcessFactory& factory, std::function<void(const CEngineEvent&)> onEvent,
                  CEngineLimits limits = {}, int updateMs = 100);
    ~CLiveAnalysis();
    CLiveAnalysis(const CLiveAnalysis&) = delete;
    CLiveAnalysis& operator=(const CLiveAnalysis&) = delete;

    // The settings for the next search; a changed path starts the new engine, changed options
    // are sent between two searches (the current position is then searched again).
    void SetSettings(const CEngineSettings& settings);
    // Analysis on: the next Analyse starts the engine when none runs.
    void SwitchOn();
    // Analysis off: the engine is told to quit, and killed after the quit limit.
    void SwitchOff();
    bool IsOn() const;
    // Analyses `position` from now on, under `positionId`; ignored while analysis is off.
    void Analyse(std::uint64_t positionId, CEnginePosition position);

private:
    struct CRequest {
        std::uint64_t id = 0;
        CEnginePosition position;
    };

    void Run();
    // One pass with the engine running: hand over a new request, read a line, report.
    void Serve(std::unique_lock<std::mutex>& lock);
    void StartSearch(const CRequest& request);
    void HandleLine(const std::string& line);
    void Report(bool final);
    void Emit(CEngineEvent event);

    std::function<void(const CEngineEvent&)> onEvent;
    int updateMs;
    CUciEngine engine; // used on the analysis thread only

    mutable std::mutex mutex; // guards the fields down to `quit`
    std::condition_variable wake;
    bool on = false;
    bool quit = false;
    CEngineSettings settings = CEngineSettings::Defaults();
    std::optional<CRequest> pending;

    // The analysis thread's own state.
    std::optional<CRequest> current; // the position searched, or being stopped
    CPosition currentPosition;
    bool searching = false;
    bool stopping = false; // stop sent, its bestmove not yet read
    std::uint32_t stopSentAt = 0;
    CEngineSettings applied; // the settings the engine runs with
    std::vector<CEngineLine> lines;
    bool linesChanged = false;
    bool reported = false; // the current search has reported lines
    std::uint32_t lastReport = 0;
    bool garbleReported = false;
    CEngineLimits limits;

    std::thread thread; // last: started once everything else is ready
};
