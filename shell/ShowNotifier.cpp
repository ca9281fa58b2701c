#include "shell/ShowNotifier.h"

#include <algorithm>

std::vector<CMove> MovesToShownPosition(const CShowNotice& notice) {
    if (notice.variationMove != CAnnotatedGame::kNone || !notice.variationLine.empty()) {
        return notice.variationLine;
    }
    std::vector<CMove> moves;
    if (notice.gameData == nullptr) {
        return moves;
    }
    moves.reserve(notice.ply);
    for (unsigned i = 0; i < notice.ply; ++i) {
        moves.push_back(notice.gameData->GetMove(static_cast<int>(i)));
    }
    return moves;
}

CShowNotifier::CShowNotifier(std::function<void(std::function<void()>)> post,
                             std::function<CShowNotice()> read)
    : post(std::move(post)), read(std::move(read)) {
}

void CShowNotifier::Subscribe(IShowListener& listener) {
    listeners.push_back(&listener);
}

void CShowNotifier::Unsubscribe(IShowListener& listener) {
    std::erase(listeners, &listener);
}

void CShowNotifier::Changed() {
    if (posted) {
        return;
    }
    posted = true;
    post([this] { Flush(); });
}

// A listener may change what is on show while it is told (a choice it passes on): that change
// is told in a notice of its own.
void CShowNotifier::Flush() {
    if (!posted) {
        return;
    }
    posted = false;
    CShowNotice notice = read();
    if (told && notice.SameShow(last)) {
        return;
    }
    notice.gameChanged =
        !told || notice.game != last.game || notice.listGeneration != last.listGeneration;
    told = true;
    last = notice;
    const std::vector<IShowListener*> now = listeners;
    for (IShowListener* listener : now) {
        listener->OnShowChanged(notice);
    }
}
