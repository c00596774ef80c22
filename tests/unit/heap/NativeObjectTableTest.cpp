#include "NativeObjectTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

class Tagged : public GCObject {
public:
    Tagged(int aTag, std::vector<int>& aDestroyed) : tag(aTag), destroyed(aDestroyed) {}
    ~Tagged() override { destroyed.push_back(tag); }
    int tag;

private:
    std::vector<int>& destroyed;
};

class NativeObjectTableTest : public ::testing::Test {
protected:
    TUint32 add(int tag, TVMAddress owner) {
        return table.add(std::make_unique<Tagged>(tag, destroyed), owner);
    }
    int tagAt(TUint32 handle, TVMAddress owner) const {
        const auto* object = static_cast<const Tagged*>(table.find(handle, owner));
        return object ? object->tag : -1;
    }

    std::vector<int> destroyed;
    NativeObjectTable table;
};

TEST_F(NativeObjectTableTest, ManyObjectsEachReachedOnlyByItsOwner) {
    // Enough objects to span several storage chunks.
    constexpr int kCount = 10000;
    std::vector<TUint32> handles;
    for (int i = 0; i < kCount; ++i)
        handles.push_back(add(i, 0x10000 + 16 * i));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(handles[i], static_cast<TUint32>(i + 1));
        ASSERT_EQ(tagAt(handles[i], 0x10000 + 16 * i), i);
        ASSERT_EQ(tagAt(handles[i], 0x10000 + 16 * (i + 1)), -1);
    }
    EXPECT_EQ((std::vector{tagAt(0, 0), tagAt(kCount + 1, 0), tagAt(0xFFFFFFFF, 0x10000)}),
              (std::vector{-1, -1, -1}));
    EXPECT_TRUE(destroyed.empty());
}

TEST_F(NativeObjectTableTest, FreedHandlesAreReusedLastFreedFirst) {
    for (int i = 1; i <= 5; ++i)
        add(i, 0x100 * i);
    EXPECT_NE(table.take(2, 0x200), nullptr);
    const std::unique_ptr<GCObject> fourth = table.take(4, 0x400);
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(tagAt(4, 0x400), -1);
    EXPECT_EQ((std::vector{add(40, 0x4000), add(20, 0x2000), add(6, 0x600)}),
              (std::vector<TUint32>{4, 2, 6}));
    EXPECT_EQ((std::tuple{tagAt(4, 0x4000), tagAt(2, 0x2000)}), (std::tuple{40, 20}));
}

TEST_F(NativeObjectTableTest, AFreeSlotNeverMatchesAnOwnerEqualToItsLink) {
    add(1, 0x100);
    add(2, 0x200);
    add(3, 0x300);
    table.take(1, 0x100);
    table.take(3, 0x300); // slot 3 now links to slot 1
    EXPECT_EQ(tagAt(3, 1), -1);
    // A block that claims to own handle 3 but owns nothing: nothing is handed over and the
    // free slots stay usable.
    EXPECT_FALSE(table.take(3, 1) || table.take(7, 1));
    EXPECT_EQ((std::vector{add(30, 0x3000), add(10, 0x1000), add(4, 0x400)}),
              (std::vector<TUint32>{3, 1, 4}));
    EXPECT_EQ(tagAt(2, 0x200), 2);
}

TEST_F(NativeObjectTableTest, AWrongHandleStillFindsTheOwnersObject) {
    add(1, 0x100);
    add(2, 0x200);
    const std::unique_ptr<GCObject> taken = table.take(1, 0x200);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ((std::tuple{static_cast<Tagged&>(*taken).tag, tagAt(1, 0x100)}), (std::tuple{2, 1}));
}

TEST_F(NativeObjectTableTest, DestroyAllDestroysEachObjectOnceAndEmptiesTheTable) {
    for (int i = 1; i <= 5000; ++i)
        add(i, 0x100 * i);
    table.take(3, 0x300).reset();
    table.destroyAll();
    EXPECT_EQ((std::tuple{destroyed.size(), tagAt(1, 0x100)}), (std::tuple{5000u, -1}));
    EXPECT_EQ((std::vector{add(7, 0x700), add(8, 0x800)}), (std::vector<TUint32>{1, 2}));
}

} // namespace
