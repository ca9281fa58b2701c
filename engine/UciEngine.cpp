#include "engine/UciEngine.h"

#include "common/Ticks.h"
#include "engine/EngineException.h"

CUciEngine::CUciEngine(IChildProcessFactory& factory, CEngineLimits limits)
    : factory(factory), limits(limits) {
}

CUciEngine::~CUciEngine() {
    Quit();
}

std::string CUciEngine::LimitText(int ms) const {
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

void CUciEngine::Fail(const std::string& operation, const std::string& text) {
    if (process != nullptr) {
        process->Kill();
        process.reset();
    }
    throw CEngineException("CUciEngine::" + operation + "(): " + text);
}

void CUciEngine::Send(std::string_view text) {
    if (process == nullptr || !process->Write(text)) {
        // The process has gone: what it left says how.
        std::string line;
        while (ReadLine(line, limits.answerMs)) {
        }
        Fail("Send", "The engine " + path + " takes no more input.");
    }
}

void CUciEngine::Start(const CEngineSettings& settings) {
    Quit();
    path = settings.path;
    name = path;
    sentThreads = sentHash = sentLines = 0;
    process = factory.Create();
    std::string error;
    if (!process->Start(path, error)) {
        process.reset();
        throw CEngineException(
            "CUciEngine::Start(): The engine " + path + " cannot be started (" + error +
            "). Install Debian's package stockfish (sudo apt install stockfish) or choose a "
            "UCI engine in the Engine settings.");
    }
    Send("uci\n");
    const std::uint32_t began = TickCount();
    std::string line;
    for (;;) {
        const int left = limits.answerMs - static_cast<int>(TickCount() - began);
        if (left <= 0 || !ReadLine(line, left)) {
            Fail("Start", "The engine " + path + " did not answer uci within " +
                              LimitText(limits.answerMs) + " and was stopped.");
        }
        if (line.rfind("id name ", 0) == 0) {
            name = line.substr(8);
        } else if (line == "uciok" || line.rfind("uciok ", 0) == 0) {
            break;
        }
    }
    ApplySettings(settings);
}

void CUciEngine::ApplySettings(const CEngineSettings& settings) {
    std::string options;
    if (settings.threads != sentThreads) {
        options += "setoption name Threads value " + std::to_string(settings.threads) + "\n";
    }
    if (settings.hashMb != sentHash) {
        options += "setoption name Hash value " + std::to_string(settings.hashMb) + "\n";
    }
    if (settings.lines != sentLines) {
        options += "setoption name MultiPV value " + std::to_string(settings.lines) + "\n";
    }
    Send(options + "isready\n");
    WaitFor("readyok", "isready");
    sentThreads = settings.threads;
    sentHash = settings.hashMb;
    sentLines = settings.lines;
}

void CUciEngine::NewGame() {
    Send("ucinewgame\nisready\n");
    WaitFor("readyok", "isready");
}

void CUciEngine::Go(const std::string& positionCommand, std::string_view limit) {
    std::string command = positionCommand;
    command += "go ";
    command += limit;
    command += '\n';
    Send(command);
}

void CUciEngine::Stop() {
    Send("stop\n");
}

bool CUciEngine::ReadLine(std::string& line, int timeoutMs) {
    if (process == nullptr) {
        throw CEngineException("CUciEngine::ReadLine(): No engine runs.");
    }
    switch (process->ReadLine(line, timeoutMs)) {
    case EChildRead::Line:
        return true;
    case EChildRead::Timeout:
        return false;
    case EChildRead::Ended:
        break;
    }
    const std::string how = process->ExitDescription();
    process.reset();
    throw CEngineException("CUciEngine::ReadLine(): The engine " + path +
                           (how.rfind("signal", 0) == 0 ? " crashed (" : " quit unasked (") + how +
                           ").");
}

void CUciEngine::WaitFor(std::string_view expected, std::string_view asked) {
    const std::uint32_t began = TickCount();
    std::string line;
    for (;;) {
        const int left = limits.answerMs - static_cast<int>(TickCount() - began);
        if (left <= 0 || !ReadLine(line, left)) {
            Fail("WaitFor", "The engine " + path + " did not answer " + std::string(asked) +
                                " within " + LimitText(limits.answerMs) + " and was stopped.");
        }
        if (line.rfind(expected, 0) == 0) {
            return;
        }
    }
}

void CUciEngine::Quit() {
    if (process == nullptr) {
        return;
    }
    process->Write("quit\n");
    if (!process->WaitForExit(limits.quitMs)) {
        process->Kill();
    }
    process.reset();
}
