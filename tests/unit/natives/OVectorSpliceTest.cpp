// The bulk editing of arrays that the array natives build on: where the elements end up
// (in place or in new storage, by the capacity rule) and what the array looks like after.
#include "GcCodes.h"
#include "OVector.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<TUint8> words(std::initializer_list<TUint32> values) {
    std::vector<TUint8> bytes(values.size() * 4);
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

struct ArraySplicing : ::testing::Test {
    VirtualMachine machine;
    VMHeap& heap = machine.getHeap();
    AddressSpace& space = machine.memory();
    const TVMAddress record = OVector::create(heap, 4);

    OVector view() { return OVector(heap, record); }
    std::vector<TUint32> elements() {
        const OVector vector = view();
        std::vector<TUint32> values;
        for (TInt32 i = 0; i < vector.size(); ++i)
            values.push_back(space.load32(vector.elementAddress(i)));
        return values;
    }
    void fill(std::initializer_list<TUint32> values) { view().splice(0, 0, words(values)); }
    TVMAddress storage() { return space.load32(record + OVector::EStorage); }
    TUint32 capacity() { return space.load32(record + OVector::ECapacity); }
};

TEST_F(ArraySplicing, AnEmptyArrayGetsStorageForThePartByTheCapacityRule) {
    fill({1, 2, 3});
    EXPECT_EQ(elements(), (std::vector<TUint32>{1, 2, 3}));
    EXPECT_EQ(capacity(), 10u);
    std::vector<TUint8> many(20 * 4, 0);
    view().splice(3, 0, many);
    EXPECT_EQ(capacity(), 27u) << "23 elements: floor(23 * 1.2)";
}

TEST_F(ArraySplicing, InsertionWithRoomMovesTheTailInPlace) {
    fill({1, 2, 3});
    const TVMAddress before = storage();
    view().splice(1, 0, words({8, 9}));
    EXPECT_EQ(elements(), (std::vector<TUint32>{1, 8, 9, 2, 3}));
    EXPECT_EQ(storage(), before);
}

TEST_F(ArraySplicing, InsertionBeyondTheCapacityMovesToNewStorage) {
    fill({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); // capacity 12
    const TVMAddress before = storage();
    view().splice(5, 0, words({50, 51, 52}));
    EXPECT_EQ(elements(), (std::vector<TUint32>{1, 2, 3, 4, 5, 50, 51, 52, 6, 7, 8, 9, 10}));
    EXPECT_NE(storage(), before);
    EXPECT_EQ(capacity(), 15u) << "13 elements: floor(13 * 1.2)";
    EXPECT_EQ(space.load32(before + 5 * 4), 6u) << "the old storage is left as it was";
}

TEST_F(ArraySplicing, ReplacementWithRoomStaysInPlaceEvenWhenItShrinks) {
    fill({1, 2, 3, 4, 5, 6});
    const TVMAddress before = storage();
    view().splice(1, 4, words({7}));
    EXPECT_EQ(elements(), (std::vector<TUint32>{1, 7, 6}));
    EXPECT_EQ(storage(), before);
    EXPECT_EQ(space.load32(before + 3 * 4), 0u) << "slots given up return to zero";
}

TEST_F(ArraySplicing, ARemovalThatLeavesMoreThanHalfStaysInPlace) {
    std::vector<TUint8> many(14 * 4, 0);
    view().splice(0, 0, many); // capacity 16
    const TVMAddress before = storage();
    view().splice(0, 5, {});
    EXPECT_EQ(view().size(), 9);
    EXPECT_EQ(storage(), before);
}

TEST_F(ArraySplicing, ARemovalThatLeavesHalfOrLessMovesToSmallerStorage) {
    fill({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}); // capacity 16
    const TVMAddress before = storage();
    view().splice(2, 6, {});
    EXPECT_EQ(elements(), (std::vector<TUint32>{1, 2, 9, 10, 11, 12, 13, 14}));
    EXPECT_NE(storage(), before);
    EXPECT_EQ(capacity(), 10u);
}

TEST_F(ArraySplicing, ARemovalStaysInPlaceWhenTheRuleGivesNoSmallerStorage) {
    fill({1, 2, 3, 4, 5, 6});
    const TVMAddress before = storage();
    view().splice(0, 4, {});
    EXPECT_EQ(elements(), (std::vector<TUint32>{5, 6}));
    EXPECT_EQ(storage(), before);
}

TEST_F(ArraySplicing, AnArrayLeftEmptyReleasesItsStorage) {
    fill({1, 2, 3});
    view().splice(0, 3, {});
    EXPECT_EQ(view().size(), 0);
    EXPECT_EQ(storage(), 0u);
    EXPECT_EQ(capacity(), 0u);
}

TEST_F(ArraySplicing, TheStorageOfAnEmptyArrayIsNotUsedAgain) {
    // The collector does not keep the storage of an empty array alive.
    const TVMAddress stale = heap.allocateBytes(40, GC_CODE_DATA);
    space.store32(record + OVector::EStorage, stale);
    space.store32(record + OVector::ECapacity, 10);
    fill({4});
    EXPECT_NE(storage(), stale);
    EXPECT_EQ(elements(), (std::vector<TUint32>{4}));
}

TEST_F(ArraySplicing, ArraysTooLargeForTheHeapRaiseInvalidArgument) {
    EXPECT_EQ(raisedCode([] { OVector::requireStorable(0x7FFFFFFF / 4, 4); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([] { OVector::requireStorable(TInt64{1} << 40, 1); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([] { OVector::requireStorable(1000000, 16); }), 0);
}

TEST_F(ArraySplicing, ElementBytesOutsideTheArrayRaiseIndexOutOfBounds) {
    fill({1, 2});
    EXPECT_EQ(view().elementBytes(1, 1), words({2}));
    EXPECT_TRUE(view().elementBytes(2, 0).empty());
    EXPECT_EQ(raisedCode([&] { view().elementBytes(1, 2); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { view().elementBytes(-1, 1); }), EIndexOutOfBounds);
}

TEST_F(ArraySplicing, AnArrayInAVariableIsMadeAsAPair) {
    const TVMAddress variable = OVector::createInVariable(heap, 4, GC_CODE_OBJECT_ARRAY_REF);
    const TVMAddress array = space.load32(variable);
    EXPECT_EQ(space.load32(variable + 4), 0u) << "the element size word stays 0";
    EXPECT_EQ(heap.entry(headerOf(variable)).gcCode, GC_CODE_OBJECT_ARRAY_REF);
    EXPECT_EQ(heap.entry(headerOf(array)).gcCode, GC_CODE_VECTOR);
    EXPECT_EQ(OVector(heap, array).size(), 0);
    EXPECT_EQ(OVector(heap, array).elementSize(), 4);
}

} // namespace
