#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

// How far one load has come, shared by the threads that read and parse a file and whoever
// watches them. Each half of the work counts the file's bytes: read, then parsed.
struct CLoadProgress {
    std::atomic<std::uint64_t> total{0}; // the file's size, once known
    std::atomic<std::uint64_t> read{0};
    std::atomic<std::uint64_t> parsed{0};
    // Set by the watcher; the load then ends at its next chance and reports itself cancelled.
    std::atomic<bool> cancelled{false};
    // Called from the working threads, at most every 50 ms, after progress was made. Set it
    // before the load starts.
    std::function<void()> onProgress;

    bool Cancelled() const noexcept { return cancelled.load(std::memory_order_relaxed); }
    // The share of the work done, 0..1.
    double Fraction() const noexcept;
    // Calls onProgress when 50 ms have passed since its last call. Any working thread.
    void Notify();

private:
    std::atomic<std::uint32_t> lastNotice{0};
};
