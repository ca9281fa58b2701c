#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

// Milliseconds of a monotonic clock as a wrapping 32-bit count; differences are taken modulo
// 2^32, so they stay right across the wrap.
inline std::uint32_t TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

inline void SleepMs(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
