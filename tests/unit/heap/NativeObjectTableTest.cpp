#include "NativeObjectTable.h"

#include <gtest/gtest.h>

#include <memory>
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
    EXPECT_EQ(tagAt(0, 0), -1);
    EXPECT_EQ(tagAt(kCount + 1, 0), -1);
    EXPECT_EQ(tagAt(0xFFFFFFFF, 0x10000), -1);
    EXPECT_TRUE(destroyed.empty());
}

TEST_F(NativeObjectTableTest, FreedHandlesAreReusedLastFreedFirst) {
    for (int i = 1; i <= 5; ++i)
        add(i, 0x100 * i);
    EXPECT_NE(table.take(2, 0x200), nullptr);
    const std::unique_ptr<GCObject> fourth = table.take(4, 0x400);
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(tagAt(4, 0x400), -1);
    EXPECT_EQ(add(40, 0x4000), 4u);
    EXPECT_EQ(add(20, 0x2000), 2u);
    EXPECT_EQ(add(6, 0x600), 6u);
    EXPECT_EQ(tagAt(4, 0x4000), 40);
    EXPECT_EQ(tagAt(2, 0x2000), 20);
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
    EXPECT_EQ(table.take(3, 1), nullptr);
    EXPECT_EQ(table.take(7, 1), nullptr);
    EXPECT_EQ(add(30, 0x3000), 3u);
    EXPECT_EQ(add(10, 0x1000), 1u);
    EXPECT_EQ(add(4, 0x400), 4u);
    EXPECT_EQ(tagAt(2, 0x200), 2);
}

TEST_F(NativeObjectTableTest, AWrongHandleStillFindsTheOwnersObject) {
    add(1, 0x100);
    add(2, 0x200);
    const std::unique_ptr<GCObject> taken = table.take(1, 0x200);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(static_cast<Tagged&>(*taken).tag, 2);
    EXPECT_EQ(tagAt(1, 0x100), 1);
}

TEST_F(NativeObjectTableTest, DestroyAllDestroysEachObjectOnceAndEmptiesTheTable) {
    for (int i = 1; i <= 5000; ++i)
        add(i, 0x100 * i);
    table.take(3, 0x300).reset();
    table.destroyAll();
    EXPECT_EQ(destroyed.size(), 5000u);
    EXPECT_EQ(tagAt(1, 0x100), -1);
    EXPECT_EQ(add(7, 0x700), 1u);
    EXPECT_EQ(add(8, 0x800), 2u);
}

} // namespace
