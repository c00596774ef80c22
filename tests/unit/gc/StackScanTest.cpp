#include "CollectorTesting.h"

#include <limits>

// The frame layouts below name only the fields they use; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// An operand stack of its own for the full collection, outside the heap's pools.
class StackScanTest : public CollectorTest {
protected:
    static constexpr TVMAddress kStackAddress = 0x7000'0000;

    // Whether the collection was carried out.
    bool collectWithStack(const std::vector<TUint32>& values) {
        slots = values;
        slots.resize(32);
        OperandStackView view;
        view.slots = slots;
        view.address = stackAddress;
        view.stackSlots = 32;
        view.top = static_cast<TInt32>(values.size()) - 1;
        view.frameMethods = frameMethods;
        view.frameBases = frameBases;
        view.frameLayouts = layouts;
        return collector.collectWithStack(view, 0);
    }
    void addFrame(TInt32 base, const MethodGCInfo& layout) {
        frameMethods.push_back(static_cast<TInt32>(layouts.size()));
        frameBases.push_back(base);
        layouts.push_back(layout);
    }

    TVMAddress stackAddress = kStackAddress;
    std::vector<TUint32> slots;
    std::vector<TInt32> frameMethods, frameBases;
    std::vector<MethodGCInfo> layouts;
};

TEST_F(StackScanTest, ValuePointingIntoAnObjectKeepsItAliveAndAnEmptyStackIsNotRead) {
    const TVMAddress dropped = pair();
    collectWithStack({});
    EXPECT_FALSE(alive(dropped));
    const TVMAddress object = pair(), loose = pair();
    collectWithStack({7, object + 8, 0});
    EXPECT_EQ(alive({object, loose}), (std::vector<bool>{true, false}));
}

TEST_F(StackScanTest, OnlyTheReferenceSlotsOfAFrameAreFollowed) {
    const TVMAddress below = pair(), argument = pair(), local = pair(), plain = pair();
    const TVMAddress above = pair();
    addFrame(1, {.argumentSlots = 1,
                 .argumentReferenceSlots = {1},
                 .resultSlots = 1,
                 .localSlots = 2,
                 .localReferenceSlots = {3}});
    // below | result, argument, return address, local, plain local | above
    collectWithStack({below, 0, argument + 4, 99, local, plain, above});
    EXPECT_EQ(alive({below, argument, local, above, plain}),
              (std::vector<bool>{true, true, true, true, false}));
}

// A call that overflowed the stack before pushing its local: vminternalthrow's frame
// starts where that local would be.
TEST_F(StackScanTest, AFrameInsideTheOneBelowCountsItsSlotsFromItsOwnBase) {
    const TVMAddress message = pair();
    addFrame(0, {.localSlots = 1});
    addFrame(1, {.argumentSlots = 2, .argumentReferenceSlots = {1}});
    // the caller's return address | code, message, return address
    collectWithStack({99, 10, message, 98});
    EXPECT_TRUE(alive(message));
}

TEST_F(StackScanTest, ArgumentsMayPointAnywhereButLocalReferencesMustBeObjects) {
    const TVMAddress free = freedBlock();
    addFrame(0, {.argumentSlots = 1,
                 .argumentReferenceSlots = {0},
                 .localSlots = 1,
                 .localReferenceSlots = {2}});
    EXPECT_TRUE(collectWithStack({free, 0, 0}));
    EXPECT_FALSE(collectWithStack({0, 0, free}));
}

TEST_F(StackScanTest, LocalReferencesIntoTheStackItselfAreSkipped) {
    // A stack placed over a free block: its slot addresses are never followed.
    const TVMAddress free = freedBlock();
    stackAddress = free - 8;
    addFrame(0, {.localSlots = 1, .localReferenceSlots = {1}});
    EXPECT_TRUE(collectWithStack({0, free}));
}

TEST_F(StackScanTest, ArrayVariablesInTheFrameAndAddressedByArguments) {
    const TVMAddress element = pair(), elsewhere = pair();
    const TVMAddress local = array({element});
    const TVMAddress addressed = array({elsewhere});
    const TVMAddress variableBlock = variable(addressed, GC_CODE_DATA);
    addFrame(0, {.argumentSlots = 1,
                 .argumentArraySlots = {0},
                 .argumentArrayHoldsReferences = {255},
                 .localSlots = 2,
                 .localArraySlots = {2},
                 .localArrayHoldsReferences = {255}});
    collectWithStack({variableBlock, 0, local, 4});
    // Only the variable's words were read, not its block.
    EXPECT_EQ(alive({element, elsewhere, storageOf(addressed), variableBlock}),
              (std::vector<bool>{true, true, true, false}));
}

TEST_F(StackScanTest, FramesClaimingSlotsOutsideTheStackAreBounded) {
    const TVMAddress object = pair();
    constexpr TInt32 kLeast = std::numeric_limits<TInt32>::min();
    const MethodGCInfo wild{.argumentReferenceSlots = {-100, 1'000'000},
                            .resultSlots = kLeast,
                            .localSlots = std::numeric_limits<TInt32>::max(),
                            .localReferenceSlots = {kLeast, 40},
                            .localArraySlots = {-1, 2},
                            .localArrayHoldsReferences = {255, 255}};
    addFrame(-5, wild);
    addFrame(1'000'000, wild);
    frameMethods.push_back(-1);
    frameBases.push_back(0);
    collectWithStack({object, 5, 6});
    EXPECT_TRUE(alive(object));
}

} // namespace
