#include "gametable/SearchKeysJob.h"

#include <exception>

CSearchKeysJob::CSearchKeysJob(std::shared_ptr<const CGameListSnapshot> list,
                               std::shared_ptr<const CGameSearchKeys> previous,
                               std::function<void()> done)
    : list(std::move(list)), previous(std::move(previous)) {
    worker = std::thread([this, done = std::move(done)] {
        // Nothing may escape the worker; without keys the table makes them itself.
        try {
            keys = std::make_shared<const CGameSearchKeys>(this->list, this->previous.get());
        } catch (const std::exception&) {
            keys = nullptr;
        }
        done();
    });
}

CSearchKeysJob::~CSearchKeysJob() {
    Join();
}

void CSearchKeysJob::Join() {
    if (worker.joinable()) {
        worker.join();
    }
}
