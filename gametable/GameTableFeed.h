#pragma once

#include "common/WorkerJob.h"
#include "gametable/GameTable.h"

#include <functional>
#include <memory>

// Keeps a games table following a list that loads grow and "Close all games" empties. The
// search keys of a grown list are made on a worker: for a database of 145,000 games they take
// about 100 ms, longer than the interface thread may stop for. One list's keys are made at a
// time; a list asked for meanwhile is followed when they are done. Lives on the table's thread.
class CGameTableFeed {
public:
    // `wake` runs on the worker when keys are made; the owner then calls Collect on its thread.
    CGameTableFeed(CGameTable& table, std::function<void()> wake);
    CGameTableFeed(const CGameTableFeed&) = delete;
    CGameTableFeed& operator=(const CGameTableFeed&) = delete;

    // The table is to show `list`: an emptied list at once (true: the table changed), any
    // other once its keys are made.
    bool Follow(std::shared_ptr<const CGameListSnapshot> list);
    // Takes the keys made on the worker into the table when they are of the list to show (true:
    // the table changed); then starts on that list if the table does not show it yet. Keys that
    // could not be made (no memory) leave the table to make them itself.
    bool Collect();
    // Keys are being made or a list waits for the table.
    bool Busy() const noexcept { return job != nullptr; }
    // Waits for the worker; no more keys are made. For shutdown.
    void Stop();

private:
    void StartKeys();

    using CKeysJob = CWorkerJob<std::shared_ptr<const CGameSearchKeys>>;
    CGameTable& table;
    std::function<void()> wake;
    std::shared_ptr<const CGameListSnapshot> wanted; // the list the table is to show
    std::shared_ptr<const CGameListSnapshot> keyed;  // the list the job makes keys of
    std::unique_ptr<CKeysJob> job;
};
