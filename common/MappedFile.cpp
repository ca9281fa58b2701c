#include "common/MappedFile.h"

#include "common/FileReaderException.h"
#include "common/LoadProgress.h"
#include "common/RegularFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Mapped files are brought into memory this much at a time, between checks for a cancel.
constexpr std::size_t kChunkBytes = std::size_t{16} << 20;

// The address ranges of the mappings a bus error may hit. The handler reads them without a lock:
// a slot is filled (end, then begin) before its mapping is read and emptied after the last read.
struct CGuardSlot {
    std::atomic<bool> used{false};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> changed{false};
};
std::array<CGuardSlot, 64> guardSlots;
struct sigaction previousBusAction {};
std::uintptr_t pageSize = 4096;

// A page of a guarded mapping whose file has shrunk: a page of zeros takes its place and the
// faulting read is repeated. Any other bus error goes where it went before the guard.
void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (CGuardSlot& slot : guardSlots) {
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        if (begin != 0 && address >= begin && address < slot.end.load(std::memory_order_acquire)) {
            void* page = reinterpret_cast<void*>(address & ~(pageSize - 1));
            if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
                MAP_FAILED) {
                slot.changed.store(true, std::memory_order_relaxed);
                return;
            }
        }
    }
    if ((previousBusAction.sa_flags & SA_SIGINFO) != 0 &&
        previousBusAction.sa_sigaction != nullptr) {
        previousBusAction.sa_sigaction(signal, info, context);
    } else if (previousBusAction.sa_handler == SIG_IGN) {
        return;
    } else if (previousBusAction.sa_handler != SIG_DFL && previousBusAction.sa_handler != nullptr) {
        previousBusAction.sa_handler(signal);
    } else {
        // The default action: the read is repeated and ends the process as it would have.
        ::signal(SIGBUS, SIG_DFL);
    }
}

void InstallGuard() {
    static std::once_flag once;
    std::call_once(once, [] {
        pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &previousBusAction);
    });
}

int TakeGuardSlot(const char* data, std::size_t length) {
    for (std::size_t i = 0; i < guardSlots.size(); ++i) {
        bool expected = false;
        if (guardSlots[i].used.compare_exchange_strong(expected, true)) {
            guardSlots[i].changed.store(false);
            guardSlots[i].end.store(reinterpret_cast<std::uintptr_t>(data) + length,
                                    std::memory_order_release);
            guardSlots[i].begin.store(reinterpret_cast<std::uintptr_t>(data),
                                      std::memory_order_release);
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

CMappedFile::CMappedFile(const std::string& path, CLoadProgress* progress) {
    struct stat status {};
    const int fd = OpenRegularFile(path, status);
    modifiedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    length = static_cast<std::size_t>(status.st_size);
    if (progress != nullptr) {
        progress->total = length;
    }
    if (length == 0) {
        ::close(fd);
        return;
    }
    InstallGuard();
    void* mapped = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) {
        throw CFileReaderException("AFileReader::LoadFile(): Cannot open file for reading!");
    }
    data = static_cast<const char*>(mapped);
    guardSlot = TakeGuardSlot(data, length);
    if (guardSlot < 0) {
        ::munmap(mapped, length);
        throw CFileReaderException("AFileReader::LoadFile(): Cannot open file for reading!");
    }
    // Bringing the pages in up front spares the parsing threads a fault per page.
    for (std::size_t at = 0; at < length; at += kChunkBytes) {
        if (progress != nullptr && progress->Cancelled()) {
            break;
        }
        const std::size_t chunk = std::min(kChunkBytes, length - at);
        ::madvise(const_cast<char*>(data) + at, chunk, MADV_POPULATE_READ);
        if (progress != nullptr) {
            progress->read = at + chunk;
            progress->Notify();
        }
    }
}

CMappedFile::~CMappedFile() {
    if (data == nullptr) {
        return;
    }
    CGuardSlot& slot = guardSlots[static_cast<std::size_t>(guardSlot)];
    slot.begin.store(0, std::memory_order_release);
    slot.end.store(0, std::memory_order_release);
    ::munmap(const_cast<char*>(data), length);
    slot.used.store(false);
}

bool CMappedFile::Changed() const noexcept {
    return guardSlot >= 0 && guardSlots[static_cast<std::size_t>(guardSlot)].changed.load();
}
