#pragma once

#include <memory>
#include <string>
#include <string_view>

// What a wait for a line of a child process's output found.
enum class EChildRead {
    Line,    // a line arrived
    Timeout, // none within the time given; the process still runs
    Ended,   // the process has ended and every line it wrote has been read
};

// A program run as a separate process, spoken to through its standard input and output (its
// error output is discarded). All calls of one object are made on one thread, the one that
// created it; every wait blocks only that thread and needs no event loop.
class IChildProcess {
public:
    virtual ~IChildProcess() = default;

    // Starts `program` without arguments. False with the reason in `error` when it could not be
    // started (missing, not executable).
    virtual bool Start(const std::string& program, std::string& error) = 0;
    // Writes `text` to the process's input. False once it takes no input.
    virtual bool Write(std::string_view text) = 0;
    // Waits up to `timeoutMs` for one line of output, handed back without its line end. A line
    // longer than 64 KiB comes in parts of that size, so that output without line ends never
    // grows without bound.
    virtual EChildRead ReadLine(std::string& line, int timeoutMs) = 0;
    // Waits up to `timeoutMs` for the process to end by itself; true once it has ended.
    virtual bool WaitForExit(int timeoutMs) = 0;
    // Ends the process at once (if it still runs) and waits until it is gone.
    virtual void Kill() = 0;
    // How the process ended: "exit code N" or "signal N" (a crash); empty while it runs.
    virtual std::string ExitDescription() const = 0;
};

// Makes child processes; each engine start gets a fresh one.
class IChildProcessFactory {
public:
    virtual ~IChildProcessFactory() = default;
    virtual std::unique_ptr<IChildProcess> Create() = 0;
};
