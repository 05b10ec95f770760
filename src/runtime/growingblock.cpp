#include "runtime/growingblock.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace {

constexpr std::size_t kLargePage = 2 * 1024 * 1024;
// Small lists stay on small pages: a large page would cost each of them 2 MB. The rest of the range
// lies on large pages.
constexpr std::size_t kSmallPart = 256 * 1024;
// Address space is plentiful on 64-bit systems; a list outgrowing this moves to a range twice as wide.
constexpr std::size_t kFirstRange = std::size_t{1} << 30;

// Takes at least `needed` bytes of address space, and as much as wished when the system grants it
// (a limit on address space may refuse a wide range). Returns the range and its size.
std::pair<char*, std::size_t> takeRange(std::size_t needed, std::size_t wished) {
    std::size_t size = std::max(wished, needed);
    while (true) {
        // One large page more than the range, so that the range can be placed with its small part
        // just before a large page's boundary; the rest is given back.
        void* mapped = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapped != MAP_FAILED) {
            const auto first = reinterpret_cast<std::uintptr_t>(mapped);
            const std::uintptr_t large = (first + kSmallPart + kLargePage - 1) / kLargePage * kLargePage;
            const std::uintptr_t start = large - kSmallPart;
            if (start > first)
                munmap(mapped, start - first);
            if (const std::uintptr_t tail = first + size + kLargePage - (start + size); tail > 0)
                munmap(reinterpret_cast<void*>(start + size), tail);
            if (size > kSmallPart)
                madvise(reinterpret_cast<void*>(large), size - kSmallPart, MADV_HUGEPAGE);
            return {reinterpret_cast<char*>(start), size};
        }
        if (size == needed)
            throw std::bad_alloc();
        size = std::max(size / 2, needed);
    }
}

} // namespace

GrowingBlock::~GrowingBlock() {
    if (data_)
        munmap(data_, capacity_);
}

GrowingBlock::GrowingBlock(GrowingBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

GrowingBlock& GrowingBlock::operator=(GrowingBlock&& other) noexcept {
    if (this != &other) {
        GrowingBlock gone(std::move(*this));
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

char* GrowingBlock::reserve(std::size_t bytes) {
    if (bytes <= capacity_ - size_)
        return data_ + size_;
    const auto [range, capacity] = takeRange(size_ + bytes, std::max(kFirstRange, 2 * capacity_));
    if (data_) {
        std::memcpy(range, data_, size_);
        munmap(data_, capacity_);
    }
    data_ = range;
    capacity_ = capacity;
    return data_ + size_;
}

std::size_t GrowingBlock::commit(std::size_t bytes) {
    const std::size_t offset = size_;
    size_ += bytes;
    return offset;
}
