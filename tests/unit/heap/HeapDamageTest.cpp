// The bytecode can write any word of the machine's memory, block headers included. Every
// damage must end in a fatal machine error (code 11), never a crash or a hang.
#include "HeapTesting.h"

#include <random>

namespace {

constexpr TUint32 kSizeWord = 4, kIteratorWord = 20;

TEST_F(HeapTest, DamagedSizeStopsTheFreeAndChangesNothing) {
    const TVMAddress block = allocate(16);
    allocate(16);
    const std::string before = report();
    space.store32(block + kSizeWord, 9996);
    EXPECT_EQ(raisedCode([&] { heap.freeObject(payloadOf(block)); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { heap.belongsToPools(payloadOf(block)); }), EFatalMachineError);
    space.store32(block + kSizeWord, 16);
    EXPECT_EQ(report(), before);
}

TEST_F(HeapTest, DamagedPredecessorTrailerStopsTheMerge) {
    allocate(16);
    const TVMAddress second = allocate(16);
    space.store32(second - kTrailerBytes, 28);
    EXPECT_EQ(raisedCode([&] { heap.freeEntry(second); }), EFatalMachineError);
}

TEST_F(HeapTest, ForgedFreeListIndexStopsTheMerge) {
    const TVMAddress first = allocate(16), second = allocate(16);
    allocate(16);
    heap.freeEntry(second);
    const TVMAddress rest = heap.nextBlock(heap.nextBlock(second));
    space.store32(second + kIteratorWord, space.load32(rest + kIteratorWord));
    EXPECT_EQ(raisedCode([&] { heap.freeEntry(first); }), EFatalMachineError);
    space.store32(second + kIteratorWord, 0);
    EXPECT_EQ(raisedCode([&] { heap.freeEntry(first); }), EFatalMachineError);
}

TEST_F(HeapTest, DamagedTrailerOrTerminatorIsFatalToWalks) {
    const TVMAddress block = allocate(16);
    space.store32(payloadOf(block) + 16, 12);
    EXPECT_EQ(raisedCode([&] { report(); }), EFatalMachineError);
    space.store32(payloadOf(block) + 16, 44);
    const TVMAddress poolStart = block - kBlockOverhead;
    space.store32(poolStart + 16, GC_CODE_DATA);
    EXPECT_EQ(raisedCode([&] { report(); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { heap.firstBlock(0); }), EFatalMachineError);
}

// Garbage in random header words and trailers: every operation either works or raises a
// fatal machine error, and the heap never reaches outside its pools.
TEST_F(HeapTest, RandomDamageEndsInFatalErrorsOnly) {
    std::mt19937 random(7);
    const auto below = [&random](TUint32 limit) { return static_cast<TUint32>(random() % limit); };
    std::vector<TVMAddress> objects;
    for (int i = 0; i < 40; ++i)
        objects.push_back(heap.allocateBytes(below(200), GC_CODE_DATA));
    // The six header words and the trailer of the block before.
    const TInt32 offsets[] = {0, 4, 8, 12, 16, 20, -4};
    for (int round = 0; round < 300; ++round) {
        const TVMAddress header = headerOf(objects[below(40)]);
        const TVMAddress word = header + offsets[below(7)];
        const TUint32 original = space.load32(word);
        space.store32(word, below(2) ? static_cast<TUint32>(random()) : original + 4);
        const TInt32 codes[] = {
            raisedCode([&] { report(); }),
            raisedCode([&] { heap.belongsToPools(header + below(60)); }),
            raisedCode([&] { heap.freeObject(objects[below(40)]); }),
            raisedCode([&] { heap.allocateBytes(below(300), GC_CODE_DATA); }),
        };
        for (const TInt32 code : codes)
            EXPECT_TRUE(code == 0 || code == EFatalMachineError) << code;
        space.store32(word, original);
    }
}

} // namespace
