// SmallBlocks: a fast allocator for the many small host blocks that texts and native
// objects take. Blocks of up to 256 bytes come from free lists by size, refilled by carving
// chunks; a freed block joins the lists of the thread that frees it. Chunks are never given
// back, so the process keeps the most memory that small blocks ever held at once. Larger
// blocks, and every block in a build with AddressSanitizer (which should see each block on
// its own), go to malloc, whose realloc can grow a large block without copying it. Large
// blocks and chunks are charged to the thread's memory budget.
#pragma once

#include <cstddef>

namespace SmallBlocks {

void* allocate(std::size_t bytes);
// `bytes` is the size the block was allocated with.
void release(void* block, std::size_t bytes);
// The block with room for `newBytes`, holding what the first min(bytes, newBytes) bytes
// held; `bytes` is the size it was allocated with. The block may move.
void* resize(void* block, std::size_t bytes, std::size_t newBytes);

} // namespace SmallBlocks
