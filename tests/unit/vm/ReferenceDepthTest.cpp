// A host call's values wrapped in cells or read through them, as their depths differ. The
// calls themselves are every program's; a depth of 4 or more is reached only here.
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <gtest/gtest.h>

namespace {

TEST(ReferenceDepth, WrapsInCellsDereferencesAndGivesUpBeyondThree) {
    VirtualMachine machine;
    const TUint32 twice = machine.convertReferenceDepth(2, 77);
    EXPECT_EQ(machine.memory().load32(machine.memory().load32(twice)), 77u);
    EXPECT_EQ(machine.convertReferenceDepth(-2, twice), 77u);
    EXPECT_EQ(machine.convertReferenceDepth(0, 5), 5u);
    EXPECT_EQ(machine.convertReferenceDepth(4, 5), 0u);
    EXPECT_EQ(machine.convertReferenceDepth(-4, 5), 0u);
    EXPECT_EQ(raisedCode([&] { machine.convertReferenceDepth(-1, 0); }), ENullPointer);
    EXPECT_EQ(latin1(lastErrorMessage()), "NullPointerException: NULL pointer");
}

} // namespace
