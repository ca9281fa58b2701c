#pragma once

#include "shell/ShowNotice.h"

#include <functional>
#include <vector>

// The one notification of "the game or position on show changed". Whoever changes what is on
// show calls Changed(); the listeners hear of it once the current event has been handled, all
// changes of that turn of the event loop in one notice, and only when something on show
// differs from the notice before. Interface thread only.
class CShowNotifier {
public:
    // `post` runs a task on the interface thread after the current event; `read` tells what is
    // on show now.
    CShowNotifier(std::function<void(std::function<void()>)> post,
                  std::function<CShowNotice()> read);
    CShowNotifier(const CShowNotifier&) = delete;
    CShowNotifier& operator=(const CShowNotifier&) = delete;

    // A listener hears every notice from the next one on, in the order of subscription, until
    // it unsubscribes; it must outlive its subscription. Not while a notice is being told.
    void Subscribe(IShowListener& listener);
    void Unsubscribe(IShowListener& listener);

    // What is on show may have changed.
    void Changed();
    // Tells the listeners now of a change that waits; nothing when none does.
    void Flush();
    // The last notice told: what the listeners show.
    const CShowNotice& Last() const noexcept { return last; }

private:
    std::function<void(std::function<void()>)> post;
    std::function<CShowNotice()> read;
    std::vector<IShowListener*> listeners;
    bool posted = false;
    bool told = false; // a notice has been told since the start
    CShowNotice last;
};
