#include "engine/LiveAnalysis.h"

#include "common/Ticks.h"
#include "engine/EngineException.h"

namespace {

// How long a wait for the engine's output lasts before new requests are looked at: the most a
// new position waits before its search is stopped.
constexpr int kPollMs = 5;
constexpr std::size_t kQuotedBytes = 80;

// The start of a line the engine sent, printable whatever its bytes: each byte outside
// printable ASCII shows as '?'.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text.substr(0, kQuotedBytes)) {
        quoted += c >= 0x20 && c < 0x7f ? c : '?';
    }
    quoted += text.size() > kQuotedBytes ? "...\"" : "\"";
    return quoted;
}

} // namespace

CLiveAnalysis::CLiveAnalysis(IChildProcessFactory& factory,
                             std::function<void(const CEngineEvent&)> onEvent, CEngineLimits limits,
                             int updateMs)
    : onEvent(std::move(onEvent)), updateMs(updateMs), engine(factory, limits), limits(limits),
      thread([this] { Run(); }) {
}

CLiveAnalysis::~CLiveAnalysis() {
    {
        const std::lock_guard lock(mutex);
        quit = true;
    }
    wake.notify_all();
    thread.join();
}

void CLiveAnalysis::SetSettings(const CEngineSettings& newSettings) {
    {
        const std::lock_guard lock(mutex);
        settings = newSettings.Clamped();
    }
    wake.notify_all();
}

void CLiveAnalysis::SwitchOn() {
    const std::lock_guard lock(mutex);
    on = true;
}

void CLiveAnalysis::SwitchOff() {
    {
        const std::lock_guard lock(mutex);
        on = false;
        pending.reset();
    }
    wake.notify_all();
}

bool CLiveAnalysis::IsOn() const {
    const std::lock_guard lock(mutex);
    return on;
}

void CLiveAnalysis::Analyse(std::uint64_t positionId, CEnginePosition position) {
    {
        const std::lock_guard lock(mutex);
        if (!on) {
            return;
        }
        pending = CRequest{positionId, std::move(position)};
    }
    wake.notify_all();
}

void CLiveAnalysis::Emit(CEngineEvent event) {
    if (onEvent) {
        onEvent(event);
    }
}

void CLiveAnalysis::Run() {
    std::unique_lock lock(mutex);
    while (!quit) {
        if (!engine.Running()) {
            wake.wait(lock, [this] { return quit || (on && pending); });
            if (quit) {
                break;
            }
        }
        try {
            Serve(lock);
        } catch (const CEngineException& e) {
            // Only the engine throws here: it is gone or failed. Analysis goes off.
            if (!lock.owns_lock()) {
                lock.lock();
            }
            on = false;
            pending.reset();
            current.reset();
            searching = stopping = false;
            lock.unlock();
            engine.Quit();
            CEngineEvent event;
            event.kind = CEngineEvent::EKind::Error;
            event.text = e.GetMessage();
            Emit(std::move(event));
            lock.lock();
        }
    }
    lock.unlock();
    engine.Quit();
}

void CLiveAnalysis::Serve(std::unique_lock<std::mutex>& lock) {
    if (!on) {
        current.reset();
        searching = stopping = false;
        lock.unlock();
        engine.Quit();
        lock.lock();
        return;
    }
    const CEngineSettings wanted = settings;
    const bool changed = engine.Running() && !(wanted == applied);
    std::optional<CRequest> request;
    if (pending || (changed && current)) {
        if (searching) {
            if (!stopping) {
                lock.unlock();
                engine.Stop();
                stopping = true;
                stopSentAt = TickCount();
                lock.lock();
            }
        } else {
            request = pending ? std::move(pending) : std::move(current);
            pending.reset();
        }
    }
    lock.unlock();
    if (request) {
        if (engine.Running() && wanted.path != applied.path) {
            engine.Quit();
        }
        if (!engine.Running()) {
            engine.Start(wanted);
            applied = wanted;
            garbleReported = false;
            CEngineEvent started;
            started.kind = CEngineEvent::EKind::Started;
            started.text = engine.Name();
            Emit(std::move(started));
        } else if (!(wanted == applied)) {
            engine.ApplySettings(wanted);
            applied = wanted;
        }
        StartSearch(*request);
    } else if (engine.Running()) {
        std::string line;
        if (engine.ReadLine(line, kPollMs)) {
            HandleLine(line);
        }
        if (linesChanged && TickCount() - lastReport >= static_cast<std::uint32_t>(updateMs)) {
            Report(false);
        }
        if (stopping && TickCount() - stopSentAt > static_cast<std::uint32_t>(limits.answerMs)) {
            throw CEngineException("CLiveAnalysis::Analyse(): The engine " + engine.Path() +
                                   " did not stop its search within " +
                                   engine.LimitText(limits.answerMs) + " and was stopped.");
        }
    }
    lock.lock();
}

void CLiveAnalysis::StartSearch(const CRequest& request) {
    std::string command;
    try {
        command = request.position.Command();
        currentPosition = request.position.Final();
    } catch (const CEngineException& e) {
        CEngineEvent warning;
        warning.kind = CEngineEvent::EKind::Warning;
        warning.positionId = request.id;
        warning.text = e.GetMessage();
        Emit(std::move(warning));
        return;
    }
    engine.Go(command, "infinite");
    current = request;
    searching = true;
    stopping = false;
    lines.clear();
    linesChanged = false;
    reported = false;
    lastReport = TickCount();
}

void CLiveAnalysis::HandleLine(const std::string& text) {
    if (!searching) {
        return;
    }
    CMove best;
    bool hasMove = false;
    if (ParseBestMove(text, currentPosition, best, hasMove)) {
        // Ended by itself (a mate or stalemate on the board), else by our stop: then its lines
        // belong to a position no longer asked for.
        if (!stopping) {
            Report(true);
        }
        searching = stopping = false;
        return;
    }
    if (stopping) {
        return;
    }
    CEngineLine line;
    switch (ParseInfoLine(text, currentPosition, line)) {
    case EInfoLine::Line:
        if (line.multiPv <= applied.lines) {
            if (lines.size() < static_cast<std::size_t>(line.multiPv)) {
                lines.resize(static_cast<std::size_t>(line.multiPv));
            }
            lines[static_cast<std::size_t>(line.multiPv - 1)] = std::move(line);
            linesChanged = true;
            if (!reported) {
                Report(false);
            }
        }
        break;
    case EInfoLine::Garbled:
        if (!garbleReported) {
            garbleReported = true;
            CEngineEvent warning;
            warning.kind = CEngineEvent::EKind::Warning;
            warning.text = "CLiveAnalysis::Analyse(): The engine " + engine.Path() +
                           " sent a line that does not read: " + Quoted(text);
            Emit(std::move(warning));
        }
        break;
    case EInfoLine::Other:
        break;
    }
}

void CLiveAnalysis::Report(bool final) {
    {
        // A later position is asked for: these lines are of no use any more.
        const std::lock_guard lock(mutex);
        if (pending) {
            return;
        }
    }
    // Lines the engine skipped (a second line before the first) are not shown empty.
    std::vector<CEngineLine> shown;
    for (const CEngineLine& line : lines) {
        if (line.pv.empty() && line.depth == 0 && line.nodes == 0 && !final) {
            break;
        }
        shown.push_back(line);
    }
    CEngineEvent event;
    event.kind = CEngineEvent::EKind::Lines;
    event.positionId = current->id;
    event.lines = std::move(shown);
    event.final = final;
    Emit(std::move(event));
    linesChanged = false;
    reported = true;
    lastReport = TickCount();
}
