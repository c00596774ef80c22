#include "CollectorTesting.h"

#include <string>

namespace {

std::string usage(const VMHeap& heap) {
    CAppsString text;
    heap.getMemUsage(&text);
    return latin1(text.toOString());
}

void mark(VMHeap& heap, TVMAddress object) {
    heap.poolContaining(headerOf(object))->mark(headerOf(object));
}

// Two heaps built alike: one swept, one freed block by block.
class SweepTest : public ::testing::Test {
protected:
    // Blocks of assorted sizes, some freed already, over two pools; returns those in use.
    static std::vector<TVMAddress> build(VMHeap& heap) {
        std::vector<TVMAddress> used;
        for (TUint32 i = 0; i < 400; ++i)
            used.push_back(heap.allocateBytes(4 + (i * 36) % 300, GC_CODE_DATA));
        for (TUint32 i = 0; i < used.size(); i += 7)
            heap.freeObject(used[i]);
        std::erase_if(used,
                      [&](TVMAddress object) { return !heap.isBlockInUse(headerOf(object)); });
        return used;
    }
    static bool survives(std::size_t index) { return index % 3 == 1 || index % 11 == 0; }

    AddressSpace firstSpace, secondSpace;
    VMHeap swept{firstSpace, nullptr}, freed{secondSpace, nullptr};
};

TEST_F(SweepTest, LeavesTheHeapAsFreeingEachDeadBlockInAddressOrderWould) {
    const std::vector<TVMAddress> inSwept = build(swept), inFreed = build(freed);
    ASSERT_GE(swept.poolCount(), 2);
    for (std::size_t i = 0; i < inSwept.size(); ++i) {
        if (survives(i)) {
            mark(swept, inSwept[i]);
        } else {
            freed.freeObject(inFreed[i]);
        }
    }
    swept.sweep();
    EXPECT_EQ(usage(swept), usage(freed));
    // The free lists agree too: new blocks land in the same places of the two spaces.
    for (TUint32 size : {8u, 100u, 2000u, 30000u, 70000u})
        EXPECT_EQ(swept.allocateBytes(size, GC_CODE_DATA), freed.allocateBytes(size, GC_CODE_DATA));
}

TEST_F(SweepTest, ClearsEveryMark) {
    const std::vector<TVMAddress> used = build(swept);
    for (const TVMAddress object : used)
        mark(swept, object);
    swept.sweep();
    EXPECT_EQ(swept.numberOfEntries(), static_cast<TInt32>(used.size()));
    swept.sweep();
    EXPECT_EQ(swept.numberOfEntries(), 0);
}

TEST_F(CollectorTest, NativeObjectsDieInAddressOrderOnceTheHeapIsSwept) {
    std::vector<int> order;
    std::vector<TVMAddress> natives;
    for (int i = 0; i < 3; ++i) {
        natives.push_back(heap.allocateNative(std::make_unique<TracedNative>([&, i] {
                                                  order.push_back(i);
                                                  // The heap is whole again when this runs.
                                                  EXPECT_GT(heap.getMemUsage(nullptr), 0);
                                                  EXPECT_EQ(heap.numberOfEntries(), 1);
                                              }),
                                              GC_CODE_DATA));
        pair();
    }
    heap.addRoot(pair());
    collect();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    for (const TVMAddress native : natives)
        EXPECT_EQ(heap.nativeObject(native), nullptr);
}

} // namespace
