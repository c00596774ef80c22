#include "HeapTesting.h"

#include <memory>
#include <tuple>

namespace {

TEST_F(HeapTest, NativeObjectsDieExactlyOnce) {
    {
        VMHeap scoped(space, nullptr);
        const TVMAddress freed =
            scoped.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
        scoped.allocateNative(std::make_unique<CountedObject>(destroyed), GC_CODE_DATA);
        scoped.freeObject(freed);
        scoped.freeObject(freed);
        EXPECT_EQ((std::tuple{destroyed, scoped.nativeObject(freed)}), (std::tuple{1, nullptr}));
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
    EXPECT_EQ((std::tuple{destroyed, heap.nativeObject(native)}), (std::tuple{0, object}));
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
    EXPECT_EQ((std::tuple{cell, space.load32(cell), heap.entry(headerOf(cell)).gcCode}),
              (std::tuple{text + 4 + kBlockOverhead, text, GC_CODE_NATIVE_REF}));
    EXPECT_EQ((std::tuple{figure("outsideHeap "), figure("stringContents="), figure("total ")}),
              (std::tuple{50, 50, 80 + 8 + 2 * kBlockOverhead + 50}));
}

} // namespace
