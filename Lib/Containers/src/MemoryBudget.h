// The memory that a machine may make the host commit: its machine memory (heap pools,
// stack, globals) and the host-side storage of its native objects (texts, hashes and the
// like, everything that comes from SmallBlocks). The machine lives on one thread, so the
// budget is the thread's; it is unlimited until a machine sets a limit. An allocation past
// the limit fails as an exhausted allocator does, with std::bad_alloc, and leaves the
// budget as it was.
#pragma once

#include "Types.h"

#include <optional>
#include <string_view>

namespace MemoryBudget {

// The limit when KESTRO_MEMORY_LIMIT says nothing else.
inline constexpr TUint64 kDefaultLimit = TUint64{1} << 30;
// No limit is set below this: a machine needs about a megabyte to start.
inline constexpr TUint64 kSmallestLimit = TUint64{16} << 20;

// A size in bytes, with an optional K, M or G suffix (powers of 1024); nothing for any
// other text.
std::optional<TUint64> parseSize(std::string_view text);
// The limit KESTRO_MEMORY_LIMIT sets (at least kSmallestLimit), or kDefaultLimit when it
// is not set; a value that is no size is reported on standard error and ignored.
TUint64 limitFromEnvironment();

// The calling thread's limit and the bytes charged to it.
void setLimit(TUint64 bytes);
TUint64 limit();
TUint64 used();

// Takes `bytes` from the budget, or throws std::bad_alloc when they do not fit.
void charge(TUint64 bytes);
// Gives back bytes that charge() took.
void release(TUint64 bytes);
// Throws std::bad_alloc unless `bytes` more would fit now: for temporary host buffers
// whose size comes from the application.
void require(TUint64 bytes);

} // namespace MemoryBudget
