#include "HeapTesting.h"

#include <tuple>

namespace {

TEST_F(HeapTest, ThreeNeighboursFreedFirstThirdSecondBecomeOneBlock) {
    const TVMAddress first = allocate(16), second = allocate(16), third = allocate(16);
    const TVMAddress guard = allocate(16);
    heap.freeEntry(first);
    heap.freeEntry(third);
    EXPECT_EQ((std::tuple{heap.freeEntry(second), heap.entry(first).size, heap.nextBlock(first),
                          heap.numberOfEntries()}),
              (std::tuple{first, 3 * 16 + 2 * kBlockOverhead, guard, 1}));
}

TEST_F(HeapTest, FreeingEverythingRestoresOneBlockOfThePoolSize) {
    const TVMAddress a = allocate(8), b = allocate(100), c = allocate(0), d = allocate(40);
    for (const TVMAddress block : {c, a, d, b})
        heap.freeEntry(block);
    EXPECT_EQ(
        (std::tuple{heap.entry(heap.firstBlock(0)).size, figure("freeSpace="), figure("headers ")}),
        (std::tuple{64000u, 64000, 80}));
}

TEST_F(HeapTest, SecondReleaseAndStrayAddressesAreIgnored) {
    const TVMAddress object = payloadOf(allocate(16));
    allocate(16);
    heap.freeObject(object);
    const std::string before = report();
    const TVMAddress leadingTerminator = heap.firstBlock(0) - kBlockOverhead;
    for (const TVMAddress stray :
         {object, object + 4, payloadOf(leadingTerminator), 0u, 4u, 0xFFFFFFF0u})
        heap.freeObject(stray);
    EXPECT_EQ(report(), before);
}

TEST_F(HeapTest, FreedBlockIsNoLongerFreeable) {
    const TVMAddress block = allocate(16);
    allocate(16);
    heap.freeEntry(block);
    EXPECT_EQ(heap.entry(block), (HeapEntry{16, 16, 0, 0, GC_CODE_FREE, space.load32(block + 20)}));
    for (const TVMAddress freed : {block, block + 4})
        EXPECT_EQ(raisedCode([&] { heap.freeEntry(freed); }), EFatalMachineError) << freed - block;
}

class RecordingFinaliser : public MStreamHolderFinaliser {
public:
    void destructStreamHolder(TVMAddress payload) override { finalised.push_back(payload); }
    std::vector<TVMAddress> finalised;
};

TEST_F(HeapTest, FreedStreamHoldersGoToTheFinaliser) {
    RecordingFinaliser finaliser;
    heap.setStreamHolderFinaliser(&finaliser);
    const TVMAddress holder = heap.allocateWords(2, GC_CODE_STREAM_HOLDER);
    heap.freeObject(heap.allocateWords(2, GC_CODE_DATA));
    heap.freeObject(holder);
    EXPECT_EQ(finaliser.finalised, std::vector<TVMAddress>{holder});
}

} // namespace
