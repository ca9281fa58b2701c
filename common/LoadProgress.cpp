#include "common/LoadProgress.h"

#include "common/Ticks.h"

namespace {
constexpr std::uint32_t kNoticeIntervalMs = 50;
}

double CLoadProgress::Fraction() const noexcept {
    const std::uint64_t size = total.load(std::memory_order_relaxed);
    if (size == 0) {
        return 0.0;
    }
    const double done = static_cast<double>(read.load(std::memory_order_relaxed)) +
                        static_cast<double>(parsed.load(std::memory_order_relaxed));
    return done >= 2.0 * static_cast<double>(size) ? 1.0 : done / (2.0 * static_cast<double>(size));
}

void CLoadProgress::Notify() {
    if (!onProgress) {
        return;
    }
    const std::uint32_t now = TickCount();
    std::uint32_t last = lastNotice.load(std::memory_order_relaxed);
    if (now - last >= kNoticeIntervalMs &&
        lastNotice.compare_exchange_strong(last, now, std::memory_order_relaxed)) {
        onProgress();
    }
}
