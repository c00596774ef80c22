#include "OVector.h"
#include "GcCodes.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <gtest/gtest.h>

namespace {

struct Arrays : ::testing::Test {
    VirtualMachine machine;
    VMHeap& heap = machine.getHeap();
    AddressSpace& space = machine.memory();
};

TEST_F(Arrays, GrowByTheCapacityRuleAndKeepTheirElements) {
    const TVMAddress record = OVector::create(heap, 4);
    std::vector<TInt32> capacities;
    for (TInt32 i = 0; i < 14; ++i) {
        OVector vector(heap, record);
        space.store32(vector.append(), static_cast<TUint32>(100 + i));
        capacities.push_back(vector.capacity());
    }
    // Empty storage grows to 10; the 11th element needs room for 11: floor(11 * 1.2) = 13.
    EXPECT_EQ(capacities.front(), 10);
    EXPECT_EQ(capacities[9], 10);
    EXPECT_EQ(capacities[10], 13);
    EXPECT_EQ(capacities[13], 16);
    OVector vector(heap, record);
    ASSERT_EQ(vector.size(), 14);
    for (TInt32 i = 0; i < 14; ++i)
        EXPECT_EQ(space.load32(vector.elementAddress(i)), 100u + i);
}

TEST_F(Arrays, InsertionMovesLaterElementsAndZeroesTheNewOne) {
    const TVMAddress record = OVector::create(heap, 12);
    OVector vector(heap, record);
    for (TUint32 value : {1u, 2u, 3u})
        space.store32(vector.append(), value);
    const TVMAddress opened = vector.insert(1);
    EXPECT_EQ(space.load32(opened), 0u);
    EXPECT_EQ(space.load32(opened + 8), 0u);
    EXPECT_EQ(space.load32(vector.elementAddress(0)), 1u);
    EXPECT_EQ(space.load32(vector.elementAddress(2)), 2u);
    EXPECT_EQ(space.load32(vector.elementAddress(3)), 3u);
    EXPECT_EQ(OVector(heap, record).size(), 4) << "the size is stored in the record";
}

TEST_F(Arrays, IndicesOutsideTheArrayRaiseIndexOutOfBounds) {
    const TVMAddress record = OVector::create(heap, 1);
    OVector vector(heap, record);
    vector.append();
    EXPECT_EQ(raisedCode([&] { vector.elementAddress(1); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { vector.elementAddress(-1); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { vector.insert(2); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { vector.insert(-1); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { vector.insert(1); }), 0);
}

TEST_F(Arrays, ADamagedRecordIsAFatalMachineError) {
    const TVMAddress record = OVector::create(heap, 4);
    OVector(heap, record).append();
    space.store32(record + OVector::ESize, 50); // more elements than room
    EXPECT_EQ(raisedCode([&] { OVector(heap, record); }), EFatalMachineError);
    space.store32(record + OVector::ESize, 1);
    space.store32(record + OVector::ETypeTag, 3);
    EXPECT_EQ(raisedCode([&] { OVector(heap, record); }), EFatalMachineError);
}

TEST_F(Arrays, ByteArraysHoldACopyOfTheBytes) {
    const TVMAddress variable = machine.createByteArray({7, 0xC8, 9});
    EXPECT_EQ(space.load32(variable + 4), 1u);
    const TVMAddress record = space.load32(variable);
    EXPECT_EQ(heap.entry(headerOf(record)).gcCode, GC_CODE_VECTOR);
    EXPECT_EQ(heap.entry(headerOf(variable)).gcCode, GC_CODE_PRIMITIVE_ARRAY_REF);
    OVector vector(heap, record);
    ASSERT_EQ(vector.size(), 3);
    EXPECT_EQ(vector.capacity(), 10);
    EXPECT_EQ(space.load8(vector.elementAddress(1)), 0xC8);
}

} // namespace
