#pragma once

#include "gametable/GameSearchKeys.h"

#include <functional>
#include <memory>
#include <thread>

// The search keys of a list, made on a worker thread: for a database of 145,000 games they take
// about 100 ms, longer than the interface thread may stop for. The keys of the games of
// `previous` are shared, not made again, when the list grew from its list.
class CSearchKeysJob {
public:
    // Starts at once; `done` is called on the worker once the keys are made (or could not be).
    CSearchKeysJob(std::shared_ptr<const CGameListSnapshot> list,
                   std::shared_ptr<const CGameSearchKeys> previous, std::function<void()> done);
    // Waits for the worker.
    ~CSearchKeysJob();
    CSearchKeysJob(const CSearchKeysJob&) = delete;
    CSearchKeysJob& operator=(const CSearchKeysJob&) = delete;

    // Waits for the worker; then Keys() may be read.
    void Join();
    const std::shared_ptr<const CGameListSnapshot>& List() const noexcept { return list; }
    // The keys of List(); null when the worker could not make them (out of memory).
    const std::shared_ptr<const CGameSearchKeys>& Keys() const noexcept { return keys; }

private:
    std::shared_ptr<const CGameListSnapshot> list;
    std::shared_ptr<const CGameSearchKeys> previous;
    std::shared_ptr<const CGameSearchKeys> keys;
    std::thread worker;
};
