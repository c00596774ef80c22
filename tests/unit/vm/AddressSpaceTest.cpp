#include "AddressSpace.h"
#include "ErrorHandling.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressSpace, AllocationsAreZeroedAlignedAndDisjoint) {
    AddressSpace space;
    const TVMAddress first = space.allocate(12);
    const TVMAddress second = space.allocate(3);
    EXPECT_GE(first, AddressSpace::kFirstValid);
    EXPECT_EQ(first % 8, 0u);
    EXPECT_EQ(second % 8, 0u);
    EXPECT_GE(second, first + 12);
    EXPECT_EQ(space.load32(first + 8), 0u);
    space.store32(first + 8, 0xDEADBEEF);
    EXPECT_EQ(space.load32(first + 8), 0xDEADBEEFu);
    EXPECT_EQ(space.load8(first + 8), 0xEFu);
    EXPECT_EQ(space.load16(first + 10), 0xDEADu);
    EXPECT_EQ(space.load32(second), 0u);
}

TEST(AddressSpace, LargeAllocationsCommitAcrossSteps) {
    AddressSpace space;
    const TVMAddress big = space.allocate(3 << 20);
    space.store32(big + (3 << 20) - 4, 7);
    EXPECT_EQ(space.load32(big + (3 << 20) - 4), 7u);
}

TEST(AddressSpace, NullRaisesNullPointerException) {
    AddressSpace space;
    space.allocate(64);
    EXPECT_EQ(raisedCode([&] { space.load32(0); }), ENullPointer);
    EXPECT_EQ(raisedCode([&] { space.store8(0, 1); }), ENullPointer);
}

TEST(AddressSpace, AccessOutsideTheCommittedPartIsAFatalMachineError) {
    AddressSpace space;
    space.allocate(64);
    const TVMAddress end = space.committedEnd();
    EXPECT_EQ(raisedCode([&] { space.load32(4); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { space.load32(AddressSpace::kFirstValid - 2); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { space.load32(end - 2); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { space.load32(end); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { space.load32(0xFFFFFFFF); }), EFatalMachineError);
    EXPECT_EQ(raisedCode([&] { space.load32(end - 4); }), 0);
    EXPECT_EQ(raisedCode([&] { space.load8(end - 1); }), 0);
}

TEST(AddressSpace, NothingIsCommittedBeforeTheFirstAllocation) {
    AddressSpace space;
    EXPECT_EQ(raisedCode([&] { space.load8(AddressSpace::kFirstValid); }), EFatalMachineError);
}

} // namespace
