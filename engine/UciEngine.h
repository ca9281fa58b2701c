#pragma once

#include "engine/EnginePosition.h"
#include "engine/EngineSettings.h"
#include "platform/ChildProcess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// How long an engine may take: to answer uci, isready and stop, and to end after quit.
struct CEngineLimits {
    int answerMs = 5000;
    int quitMs = 1000;
};

// One UCI engine process, spoken to from one thread with blocking waits. Every failure throws
// CEngineException and leaves no process behind.
class CUciEngine {
public:
    CUciEngine(IChildProcessFactory& factory, CEngineLimits limits = {});
    ~CUciEngine();
    CUciEngine(const CUciEngine&) = delete;
    CUciEngine& operator=(const CUciEngine&) = delete;

    // Starts the engine at `settings.path` (any earlier process is ended first) and shakes
    // hands: uci, then uciok within the limit; the options; isready, then readyok within the
    // limit. A missing or unusable program is named with how to install or choose one.
    void Start(const CEngineSettings& settings);
    bool Running() const { return process != nullptr; }
    // The engine's "id name", or its path when it gave none.
    const std::string& Name() const { return name; }
    const std::string& Path() const { return path; }
    const CEngineLimits& Limits() const { return limits; }

    // Sends Threads, Hash and MultiPV where they differ from the values last sent, then waits
    // for readyok. Call between searches.
    void ApplySettings(const CEngineSettings& settings);
    // ucinewgame, then readyok within the limit: the next search forgets the earlier ones.
    void NewGame();
    // Sends a position's command (CEnginePosition::Command) and "go <limit>" ("infinite",
    // "nodes 1000000", "movetime 500").
    void Go(const std::string& positionCommand, std::string_view limit);
    void Stop();
    // Waits up to `timeoutMs` for a line of output: true with the line, false when none came.
    // Throws CEngineException when the engine has ended: it crashed or quit unasked.
    bool ReadLine(std::string& line, int timeoutMs);
    // Reads until `expected` begins a line, within the answer limit; throws saying `asked` was
    // not answered.
    void WaitFor(std::string_view expected, std::string_view asked);

    // quit, then up to the quit limit for the process to end, then kill. No-op without one.
    void Quit();

    // "did not answer <what> within 5 s" style texts name the limit in seconds or ms.
    std::string LimitText(int ms) const;

private:
    void Send(std::string_view text);
    [[noreturn]] void Fail(const std::string& operation, const std::string& text);

    IChildProcessFactory& factory;
    CEngineLimits limits;
    std::unique_ptr<IChildProcess> process;
    std::string path;
    std::string name;
    // The values last sent; 0 for none.
    int sentThreads = 0;
    int sentHash = 0;
    int sentLines = 0;
};
