#include "HeapTesting.h"

#include <new>

namespace {

const char* const kFreshReport =
    "\nheaders 80 + actual 0 + wasted 0 + outsideHeap 0 = total 80\n"
    "stringContents=0 bitmapContents=0 fontContents=0\n"
    "nOfEntries=0 nOfPools=1 SzOfPools=64080 AllContents=64000 freeSpace=64000\n";

TEST_F(HeapTest, FreshHeapReport) {
    EXPECT_EQ(report(), kFreshReport);
    EXPECT_EQ(heap.getMemUsage(nullptr), 80);
}

TEST_F(HeapTest, FirstRequestSplitsThePoolBlockAndFilesTheRest) {
    const TVMAddress block = heap.createHeapEntry(10, 0, GC_CODE_DATA);
    EXPECT_EQ(block, heap.firstBlock(0));
    EXPECT_EQ(heap.entry(block), (HeapEntry{12, 12, 0, 0, GC_CODE_DATA, 0}));
    EXPECT_EQ(space.load32(payloadOf(block) + 12), 40u);
    const TVMAddress rest = heap.nextBlock(block);
    EXPECT_EQ(rest, block + 40);
    EXPECT_EQ(heap.entry(rest).size, 64000u - 40);
    EXPECT_FALSE(heap.isBlockInUse(rest));
    EXPECT_EQ(heap.nextBlock(rest), 0u);
    // The rest is in the list of class 16: a request of that class finds it by first fit.
    EXPECT_EQ(allocate(40000), rest);
    EXPECT_EQ(heap.poolCount(), 1);
}

TEST_F(HeapTest, LargeRequestGetsAPoolOfItsOwnSizeUsedWhole) {
    const TVMAddress block = allocate(70001);
    EXPECT_EQ(heap.poolCount(), 2);
    EXPECT_EQ(heap.firstBlock(1), block);
    EXPECT_EQ(heap.entry(block).size, 70004u);
    EXPECT_EQ(heap.nextBlock(block), 0u);
    EXPECT_EQ(figure("SzOfPools="), 64080 + 70084);
}

TEST_F(HeapTest, OnlyAnExcessAbove28BytesIsSplitOff) {
    const TVMAddress free = loneFreeBlock(100);
    EXPECT_EQ(allocate(72), free);
    EXPECT_EQ(heap.entry(free).size, 100u);
    heap.freeEntry(free);
    EXPECT_EQ(allocate(68), free);
    EXPECT_EQ(heap.entry(free).size, 68u);
    EXPECT_EQ(heap.entry(free + 96).size, 4u);
    EXPECT_EQ(figure("freeSpace="), 4);
}

TEST_F(HeapTest, ZeroByteRequestCountsAndPayloadsStartZeroed) {
    const TVMAddress block = allocate(0);
    EXPECT_EQ(heap.entry(block).size, 0u);
    EXPECT_EQ(heap.nextBlock(block), block + kBlockOverhead);
    EXPECT_EQ(heap.numberOfEntries(), 1);
    const TVMAddress object = heap.allocateWords(3, GC_CODE_OBJECT);
    space.store32(object + 8, 0xDEADBEEF);
    heap.freeObject(object);
    EXPECT_EQ(heap.allocateBytes(9, GC_CODE_OBJECT), object);
    EXPECT_EQ(space.load32(object + 8), 0u);
}

TEST_F(HeapTest, PairIsTwoAdjacentBlocks) {
    const auto [vector, variable] =
        heap.createPair(16, 0, GC_CODE_VECTOR, 8, 0, GC_CODE_PRIMITIVE_ARRAY_REF);
    EXPECT_EQ(variable, vector + 16 + kBlockOverhead);
    EXPECT_EQ(heap.entry(headerOf(vector)).gcCode, GC_CODE_VECTOR);
    EXPECT_EQ(heap.entry(headerOf(variable)).gcCode, GC_CODE_PRIMITIVE_ARRAY_REF);
    EXPECT_EQ(heap.numberOfEntries(), 2);
    EXPECT_EQ(figure("actual "), 24);
}

TEST_F(HeapTest, PairLeavesUnsplitExcessToItsSecondBlock) {
    const TVMAddress free = loneFreeBlock(100);
    const auto [first, second] = heap.createPair(24, 0, GC_CODE_DATA, 40, 0, GC_CODE_DATA);
    EXPECT_EQ(first, payloadOf(free));
    EXPECT_EQ(heap.entry(headerOf(second)), (HeapEntry{40, 48, 0, 0, GC_CODE_DATA, 0}));
}

TEST_F(HeapTest, OversizedRequestsRaiseBadAlloc) {
    EXPECT_THROW(allocate(VMHeap::kLargestRequest + 1), std::bad_alloc);
    EXPECT_THROW(heap.allocateWords(0x40000001, GC_CODE_DATA), std::bad_alloc);
    EXPECT_EQ(report(), kFreshReport);
}

} // namespace
