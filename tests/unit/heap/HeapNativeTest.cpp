#include "HeapTesting.h"

#include <memory>

namespace {

TEST_F(HeapTest, NativeObjectsDieExactlyOnce) {
    {
        VMHeap scoped(space, nullptr);
        const TVMAddress freed =
            scoped.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
        scoped.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
        scoped.freeObject(freed);
        scoped.freeObject(freed);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(scoped.nativeObject(freed), nullptr);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST_F(HeapTest, OnlyTheOwningBlockReachesANativeObject) {
    auto owned = std::make_unique<CountedObject>(destroyed);
    GCObject* const object = owned.get();
    const TVMAddress native = heap.allocateNative(std::move(owned), GC_CODE_DATETIME);
    EXPECT_EQ(heap.nativeObject(native), object);
    EXPECT_EQ(heap.entry(headerOf(native)).nativeFlag, kNativeObjectFlag);
    const TVMAddress plain = heap.allocateWords(1, GC_CODE_DATA);
    space.store32(plain, space.load32(native));
    for (const TVMAddress forged : {plain, 0u, 0xFFFFFFF0u})
        EXPECT_EQ(heap.nativeObject(forged), nullptr);
    heap.freeObject(plain);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(heap.nativeObject(native), object);
}

TEST_F(HeapTest, OverwrittenHandleStillLetsTheOwnerDestroyItsObject) {
    const TVMAddress native =
        heap.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
    space.store32(native, 77);
    EXPECT_EQ(heap.nativeObject(native), nullptr);
    heap.freeObject(native);
    EXPECT_EQ(destroyed, 1);
    // The handle is free for reuse.
    heap.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
    EXPECT_EQ(space.load32(native), 1u);
}

TEST_F(HeapTest, NativeWithCellIsAPairCountedInTheReport) {
    const auto [text, cell] =
        heap.allocateNativeWithCell(std::make_unique<CountedObject>(destroyed, 50), GC_CODE_STRING);
    EXPECT_EQ(cell, text + 4 + kBlockOverhead);
    EXPECT_EQ(space.load32(cell), text);
    EXPECT_EQ(heap.entry(headerOf(cell)).gcCode, GC_CODE_NATIVE_REF);
    EXPECT_EQ(figure("outsideHeap "), 50);
    EXPECT_EQ(figure("stringContents="), 50);
    EXPECT_EQ(figure("total "), 80 + 8 + 2 * kBlockOverhead + 50);
}

} // namespace
