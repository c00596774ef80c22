#include "HeapTesting.h"

namespace {

TEST_F(HeapTest, BelongsToPoolsFindsTheBlockHoldingAnAddress) {
    const TVMAddress block = allocate(16);
    const TVMAddress rest = heap.nextBlock(block);
    for (const TVMAddress inside : {block, block + 23, payloadOf(block), payloadOf(block) + 15,
                                    payloadOf(block) + 16, payloadOf(block) + 19})
        EXPECT_EQ(heap.belongsToPools(inside), block) << inside - block;
    EXPECT_EQ(heap.belongsToPools(rest), rest);
    const TVMAddress poolStart = block - kBlockOverhead;
    EXPECT_EQ(heap.belongsToPools(poolStart + 3), poolStart);
    EXPECT_FALSE(heap.isBlockInUse(poolStart));
    EXPECT_EQ(heap.belongsToPools(poolStart + 64079), poolStart + 64080 - kHeaderBytes);
    for (const TVMAddress outside : {0u, poolStart - 1, poolStart + 64080, 0xFFFFFFFFu})
        EXPECT_EQ(heap.belongsToPools(outside), 0u);
}

TEST_F(HeapTest, WalkVisitsEveryBlockOfEveryPool) {
    const TVMAddress a = allocate(8), b = allocate(80000), c = allocate(4);
    std::vector<TVMAddress> visited;
    for (TInt32 pool = 0; pool < heap.poolCount(); ++pool) {
        for (TVMAddress block = heap.firstBlock(pool); block != 0; block = heap.nextBlock(block))
            visited.push_back(block);
    }
    const std::vector<TVMAddress> expected{a, c, heap.nextBlock(c), b};
    EXPECT_EQ(visited, expected);
}

} // namespace
