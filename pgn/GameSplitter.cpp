#include "pgn/GameSplitter.h"

namespace {
constexpr std::string_view kEventStart = "[Event\"";
}

CGameSplitter::CGameSplitter(std::string_view text)
    : text(text), scanner(text), nextEvent(text.find(kEventStart)) {
}

bool CGameSplitter::FindMore(std::vector<std::size_t>& starts) {
    const std::size_t before = starts.size();
    while (starts.size() == before && (pos = text.find('[', pos)) != npos) {
        const bool isEvent = text.compare(pos, kEventStart.size(), kEventStart) == 0;
        const std::size_t end = scanner.Scan(pos);
        if (end == npos) {
            // Not a tag pair: a bare "[Event"" still starts a game where it stands.
            if (isEvent) {
                starts.push_back(pos);
            }
            ++pos;
            continue;
        }
        if (pos != runEnd) {
            starts.push_back(pos);
            runHasEvent = isEvent;
        } else if (isEvent) {
            if (runHasEvent) {
                starts.push_back(pos);
            }
            runHasEvent = true;
        }
        if (nextEvent <= pos) {
            nextEvent = text.find(kEventStart, pos + 1);
        }
        // An "[Event"" inside this pair's span still starts a game where it stands.
        for (; nextEvent < end; nextEvent = text.find(kEventStart, nextEvent + 1)) {
            starts.push_back(nextEvent);
            runHasEvent = true;
        }
        runEnd = end;
        pos = end;
    }
    return starts.size() != before;
}
