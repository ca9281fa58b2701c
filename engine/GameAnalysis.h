#pragma once

#include "engine/EnginePosition.h"
#include "engine/EngineSettings.h"
#include "engine/MoveJudgement.h"
#include "engine/UciEngine.h"
#include "platform/ChildProcess.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The search each position of a whole-game analysis gets: a number of nodes, or a time.
struct CAnalysisBudget {
    std::int64_t nodes = 1000000; // used when moveTimeMs is 0
    int moveTimeMs = 0;

    // "nodes 1000000" or "movetime 500", for "go".
    std::string GoLimit() const;
};

// Searches one position at `budget` ("position ...", then "go") and reads up to its bestmove:
// the result is what the engine reported last for line 1. False when `*cancel` was set: the
// search is then stopped. Throws CEngineException when the engine fails, stays silent for 30 s
// (or the answer limit past a time budget), or the position cannot be analysed.
bool AnalysePosition(CUciEngine& engine, const CEnginePosition& position,
                     const CAnalysisBudget& budget, const std::atomic<bool>* cancel,
                     CPositionAnalysis& result);

// Analyses the positions of `game` in order: its start, then the position after each move.
// Each position is searched at `budget` ("position ... moves ...", then "go"), and its result is
// what the engine reported last for line 1 before bestmove. `progress(done, total, analysis)`
// is called after each position. Once `*cancel` is set, the search under way is stopped and
// the positions analysed before it are returned. Throws CEngineException when the engine fails,
// stays silent for 30 s (or the answer limit past a time budget), or a position cannot be
// analysed.
std::vector<CPositionAnalysis> AnalysePositions(
    CUciEngine& engine, const CEnginePosition& game, const CAnalysisBudget& budget,
    const std::atomic<bool>* cancel,
    const std::function<void(std::size_t, std::size_t, const CPositionAnalysis&)>& progress);

struct CGameAnalysisResult {
    std::vector<CPositionAnalysis> positions; // the start, then after each move
    std::vector<CMoveJudgement> moves;        // one per move whose two positions are analysed
    std::array<CSideSummary, 2> sides{};      // by EPieceColor
    bool cancelled = false;
    std::string error; // the engine's failure; the positions analysed before it are kept
};

// A whole-game analysis on a thread and an engine process of its own (one line, the settings'
// threads and hash, a new game first). Every method returns at once; the destructor cancels
// and waits for the engine to quit.
class CGameAnalysisJob {
public:
    struct CCallbacks {
        // After each position, on the job's thread: positions done, positions in all, and the
        // position's analysis.
        std::function<void(std::size_t, std::size_t, const CPositionAnalysis&)> progress;
        // Once, on the job's thread, last: also after a cancel or a failure.
        std::function<void(const CGameAnalysisResult&)> finished;
    };

    CGameAnalysisJob(IChildProcessFactory& factory, const CEngineSettings& settings,
                     const CAnalysisBudget& budget, CEnginePosition game, CCallbacks callbacks,
                     CEngineLimits limits = {});
    ~CGameAnalysisJob();
    CGameAnalysisJob(const CGameAnalysisJob&) = delete;
    CGameAnalysisJob& operator=(const CGameAnalysisJob&) = delete;

    void Cancel() { cancelled.store(true, std::memory_order_relaxed); }

private:
    void Run(CEngineSettings settings, CAnalysisBudget budget, CEnginePosition game);

    CUciEngine engine;
    CCallbacks callbacks;
    std::atomic<bool> cancelled{false};
    std::thread thread;
};
