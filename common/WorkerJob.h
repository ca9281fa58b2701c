#pragma once

#include "common/GeneralException.h"
#include "common/Outcome.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

// One piece of work on a thread of its own, for work that may take longer than the interface
// thread may stop for (a load, the search keys of a big list, a game's annotations). The job
// owns what the work reads and what it yields: the caller sees the outcome only once the work
// has ended. Nobody polls: the work's end calls `done` on the worker, which wakes the caller
// (the interface thread through a posted event), and Wait() sleeps on a condition variable.
//
// The work returns its outcome (a value converts to one); what it throws becomes a failure:
// a CGeneralException its message, a lack of memory "Not enough memory.", another standard
// exception its what(). Once Cancel() was called the outcome is a cancellation, whatever the
// work made: a caller that cancelled never takes a value.
template <typename T>
class CWorkerJob {
public:
    // Reads the flag that Cancel() sets, at the work's own chances.
    using Work = std::function<COutcome<T>(const std::atomic<bool>& cancelRequested)>;

    // Starts `work` at once. `done` runs on the worker once the outcome is stored; it must not
    // wait for the job.
    explicit CWorkerJob(Work work, std::function<void()> done = {}) {
        worker = std::thread([this, work = std::move(work), done = std::move(done)] {
            COutcome<T> result = Run(work);
            {
                const std::lock_guard lock(mutex);
                outcome.emplace(std::move(result));
            }
            ended.notify_all();
            if (done) {
                done();
            }
        });
    }
    // Cancels the work and waits for the worker.
    ~CWorkerJob() {
        Cancel();
        Join();
    }
    CWorkerJob(const CWorkerJob&) = delete;
    CWorkerJob& operator=(const CWorkerJob&) = delete;

    // Asks the work to end at its next chance. Any thread.
    void Cancel() noexcept { cancelRequested.store(true, std::memory_order_relaxed); }

    // Waits until the work has ended and its worker is gone; the outcome may then be read and
    // its value taken. Not on the worker itself (from `done`).
    COutcome<T>& Wait() {
        {
            std::unique_lock lock(mutex);
            ended.wait(lock, [this] { return outcome.has_value(); });
        }
        Join();
        if (cancelRequested.load(std::memory_order_relaxed) && !outcome->Cancelled()) {
            outcome.emplace(COutcome<T>::Cancellation());
        }
        return *outcome;
    }

private:
    COutcome<T> Run(const Work& work) {
        COutcome<T> result = COutcome<T>::Cancellation();
        try {
            result = work(cancelRequested);
        } catch (const CGeneralException& e) {
            result = COutcome<T>::Failure(e.GetMessage());
        } catch (const std::bad_alloc&) {
            result = COutcome<T>::Failure("Not enough memory.");
        } catch (const std::exception& e) {
            result = COutcome<T>::Failure(e.what());
        }
        return result;
    }

    void Join() {
        if (worker.joinable()) {
            worker.join();
        }
    }

    std::atomic<bool> cancelRequested{false};
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<COutcome<T>> outcome; // written once, under the mutex, by the worker
    std::thread worker;                 // last: it starts once the members above exist
};
