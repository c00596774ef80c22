#include "SmallBlocks.h"

#include "MemoryBudget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

constexpr std::size_t kGranule = 16; // also the alignment of every block
constexpr std::size_t kLargest = 256;
constexpr std::size_t kClasses = kLargest / kGranule;
constexpr std::size_t kChunkBytes = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

struct Lists {
    FreeBlock* free[kClasses] = {};
    char* next = nullptr; // the part of the newest chunk not carved yet
    char* end = nullptr;
};

thread_local Lists lists;

bool pooled(std::size_t bytes) {
    return kPooled && bytes > 0 && bytes <= kLargest;
}

std::size_t classOf(std::size_t bytes) {
    return (bytes - 1) / kGranule;
}

void* allocateLarge(std::size_t bytes) {
    MemoryBudget::charge(bytes);
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (!block) {
        MemoryBudget::release(bytes);
        throw std::bad_alloc();
    }
    return block;
}

// The rest of a chunk too small for the block is left unused.
void* carve(Lists& own, std::size_t size) {
    if (static_cast<std::size_t>(own.end - own.next) < size) {
        MemoryBudget::charge(kChunkBytes);
        own.next = static_cast<char*>(::operator new(kChunkBytes));
        own.end = own.next + kChunkBytes;
    }
    void* block = own.next;
    own.next += size;
    return block;
}

} // namespace

void* SmallBlocks::allocate(std::size_t bytes) {
    if (!pooled(bytes)) return allocateLarge(bytes);
    Lists& own = lists;
    const std::size_t sizeClass = classOf(bytes);
    if (FreeBlock* block = own.free[sizeClass]) {
        own.free[sizeClass] = block->next;
        return block;
    }
    return carve(own, (sizeClass + 1) * kGranule);
}

void SmallBlocks::release(void* block, std::size_t bytes) {
    if (!block) return;
    if (!pooled(bytes)) {
        std::free(block);
        MemoryBudget::release(bytes);
        return;
    }
    Lists& own = lists;
    const std::size_t sizeClass = classOf(bytes);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = own.free[sizeClass];
    own.free[sizeClass] = freed;
}

void* SmallBlocks::resize(void* block, std::size_t bytes, std::size_t newBytes) {
    if (!pooled(bytes) && !pooled(newBytes)) {
        if (newBytes > bytes) MemoryBudget::charge(newBytes - bytes);
        void* resized = std::realloc(block, newBytes == 0 ? 1 : newBytes);
        if (!resized) {
            if (newBytes > bytes) MemoryBudget::release(newBytes - bytes);
            throw std::bad_alloc();
        }
        if (newBytes < bytes) MemoryBudget::release(bytes - newBytes);
        return resized;
    }
    void* resized = allocate(newBytes);
    std::memcpy(resized, block, std::min(bytes, newBytes));
    release(block, bytes);
    return resized;
}
