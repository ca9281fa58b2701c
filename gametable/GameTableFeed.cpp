#include "gametable/GameTableFeed.h"

CGameTableFeed::CGameTableFeed(CGameTable& table, std::function<void()> wake)
    : table(table), wake(std::move(wake)) {
}

bool CGameTableFeed::Follow(std::shared_ptr<const CGameListSnapshot> list) {
    wanted = std::move(list);
    if (wanted == table.Games()) {
        return false;
    }
    if (wanted->Size() == 0) {
        table.SetGames(wanted);
        return true;
    }
    if (job == nullptr) {
        StartKeys();
    }
    return false;
}

void CGameTableFeed::StartKeys() {
    keyed = wanted;
    // The keys of the games the table holds are shared when the list grew from its list.
    job = std::make_unique<CKeysJob>(
        [list = keyed, previous = table.SearchKeys()](const std::atomic<bool>&) {
            return std::make_shared<const CGameSearchKeys>(list, previous.get());
        },
        wake);
}

bool CGameTableFeed::Collect() {
    if (job == nullptr) {
        return false;
    }
    COutcome<std::shared_ptr<const CGameSearchKeys>>& outcome = job->Wait();
    bool changed = false;
    if (keyed == wanted && keyed != table.Games()) {
        table.SetGames(keyed, outcome.HasValue() ? outcome.Value() : nullptr);
        changed = true;
    }
    job.reset();
    keyed.reset();
    if (wanted != table.Games() && wanted->Size() > 0) {
        StartKeys();
    }
    return changed;
}

void CGameTableFeed::Stop() {
    job.reset();
    keyed.reset();
    wanted = table.Games();
}
