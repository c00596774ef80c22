// Every fuzz target runs as on a host with little memory: one host allocation of more
// than 64 MiB fails, with std::bad_alloc from operator new and null from malloc, as the
// runtime expects of a host without the memory. A machine's own memory is limited by
// CommitLimit. Without these limits, a single native call that asks for gigabytes would
// stop the fuzzer (as running out of memory, or as a timeout while the memory is filled)
// instead of showing how the runtime copes.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kLargestAllocation = std::size_t{64} << 20;

void* allocate(std::size_t bytes) {
    if (bytes > kLargestAllocation) throw std::bad_alloc();
    if (void* block = std::malloc(bytes == 0 ? 1 : bytes)) return block;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t bytes) noexcept {
    return bytes > kLargestAllocation ? nullptr : std::malloc(bytes == 0 ? 1 : bytes);
}

} // namespace

// The sanitizer settings every target starts with (ASAN_OPTIONS can still change them).
// The quarantine of freed blocks is kept small, since every run makes and frees a whole
// machine and fresh memory for each costs most of a run.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=64:quarantine_size_mb=16";
}

// All of operator new and delete go through malloc and free, so that the limit holds for
// every allocation and the sanitizer sees one kind of block.
void* operator new(std::size_t bytes) {
    return allocate(bytes);
}
void* operator new[](std::size_t bytes) {
    return allocate(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    return allocateOrNull(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    return allocateOrNull(bytes);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
