#include "pgn/GameBlock.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

std::size_t PageSize() noexcept {
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return page;
}

} // namespace

CGameBlock::CGameBlock(std::size_t bytes, std::size_t touched, const CTagTable* tags) {
    const std::size_t page = PageSize();
    size = (bytes + sizeof(CGameBlockHeader) + page - 1) / page * page;
    // Mapped with room to spare, then trimmed to an aligned start.
    const std::size_t mapped = size + kGameBlockAlign;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto rawAt = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t at = (rawAt + kGameBlockAlign - 1) & ~(kGameBlockAlign - 1);
    if (at > rawAt) {
        ::munmap(raw, at - rawAt);
    }
    if (rawAt + mapped > at + size) {
        ::munmap(reinterpret_cast<void*>(at + size), rawAt + mapped - (at + size));
    }
    start = reinterpret_cast<std::byte*>(at);
    const std::size_t populated = std::min(size, (touched + page - 1) / page * page);
    if (populated > page) {
        ::madvise(start, populated, MADV_POPULATE_WRITE); // a hint; ignored where unknown
    }
    new (start) CGameBlockHeader{tags, reinterpret_cast<const std::uint16_t*>(start + size)};
}

CGameBlock::~CGameBlock() {
    if (start != nullptr) {
        ::munmap(start, size);
    }
}
