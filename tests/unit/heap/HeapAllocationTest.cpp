#include "HeapTesting.h"

#include <new>
#include <tuple>

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
    EXPECT_EQ(
        (std::tuple{rest, heap.entry(rest).size, heap.isBlockInUse(rest), heap.nextBlock(rest)}),
        (std::tuple{block + 40, 64000u - 40, false, 0u}));
    // The rest is in the list of class 16: a request of that class finds it by first fit.
    EXPECT_EQ((std::tuple{allocate(40000), heap.poolCount()}), (std::tuple{rest, 1}));
}

TEST_F(HeapTest, LargeRequestGetsAPoolOfItsOwnSizeUsedWhole) {
    const TVMAddress block = allocate(70001);
    EXPECT_EQ((std::tuple{heap.poolCount(), heap.firstBlock(1), heap.entry(block).size,
                          heap.nextBlock(block), figure("SzOfPools=")}),
              (std::tuple{2, block, 70004u, 0u, 64080 + 70084}));
}

TEST_F(HeapTest, OnlyAnExcessAbove28BytesIsSplitOff) {
    const TVMAddress free = loneFreeBlock(100);
    EXPECT_EQ((std::tuple{allocate(72), heap.entry(free).size}), (std::tuple{free, 100u}));
    heap.freeEntry(free);
    EXPECT_EQ((std::tuple{allocate(68), heap.entry(free).size, heap.entry(free + 96).size,
                          figure("freeSpace=")}),
              (std::tuple{free, 68u, 4u, 4}));
}

TEST_F(HeapTest, ZeroByteRequestCountsAndPayloadsStartZeroed) {
    const TVMAddress block = allocate(0);
    EXPECT_EQ((std::tuple{heap.entry(block).size, heap.nextBlock(block), heap.numberOfEntries()}),
              (std::tuple{0u, block + kBlockOverhead, 1}));
    const TVMAddress object = heap.allocateWords(3, GC_CODE_OBJECT);
    space.store32(object + 8, 0xDEADBEEF);
    heap.freeObject(object);
    EXPECT_EQ((std::tuple{heap.allocateBytes(9, GC_CODE_OBJECT), space.load32(object + 8)}),
              (std::tuple{object, 0u}));
}

TEST_F(HeapTest, PairIsTwoAdjacentBlocks) {
    const auto [vector, variable] =
        heap.createPair(16, 0, GC_CODE_VECTOR, 8, 0, GC_CODE_PRIMITIVE_ARRAY_REF);
    EXPECT_EQ(variable, vector + 16 + kBlockOverhead);
    EXPECT_EQ(
        (std::tuple{heap.entry(headerOf(vector)).gcCode, heap.entry(headerOf(variable)).gcCode}),
        (std::tuple{GC_CODE_VECTOR, GC_CODE_PRIMITIVE_ARRAY_REF}));
    EXPECT_EQ((std::tuple{heap.numberOfEntries(), figure("actual ")}), (std::tuple{2, 24}));
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
