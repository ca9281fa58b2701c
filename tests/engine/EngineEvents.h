#pragma once

#include "chess/LegalMoves.h"
#include "engine/LiveAnalysis.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace testutil {

// The events of a live analysis as they come, from its thread.
class CEngineEvents {
public:
    std::function<void(const CEngineEvent&)> Sink() {
        return [this](const CEngineEvent& event) {
            const std::lock_guard lock(mutex);
            events.push_back(event);
            arrived.notify_all();
        };
    }
    // The first event from `from` on that `match` accepts, waiting up to 20 s; false when none.
    bool WaitFor(const std::function<bool(const CEngineEvent&)>& match, CEngineEvent& found,
                 std::size_t from = 0) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(20), [&] {
            for (std::size_t i = from; i < events.size(); ++i) {
                if (match(events[i])) {
                    found = events[i];
                    return true;
                }
            }
            return false;
        });
    }
    std::vector<CEngineEvent> All() {
        const std::lock_guard lock(mutex);
        return events;
    }
    // One line an event, for a failure's message.
    std::string Dump() {
        std::string out;
        for (const CEngineEvent& e : All()) {
            out += std::to_string(static_cast<int>(e.kind)) + " " + std::to_string(e.positionId) +
                   " " + std::to_string(e.lines.size()) + " " + e.text + "\n";
        }
        return out;
    }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<CEngineEvent> events;
};

inline auto LinesOf(std::uint64_t id) {
    return [id](const CEngineEvent& e) {
        return e.kind == CEngineEvent::EKind::Lines && e.positionId == id && !e.lines.empty();
    };
}

// The initial position and `plies` moves of a game that picks its moves by a fixed rule.
inline CEnginePosition Steps(int plies) {
    CEnginePosition position;
    CPosition now = position.start;
    for (int ply = 0; ply < plies; ++ply) {
        const std::vector<CMove> legal = LegalMoves(now);
        position.moves.push_back(legal[static_cast<std::size_t>(ply * 7) % legal.size()]);
        now.Play(position.moves.back());
    }
    return position;
}

} // namespace testutil
