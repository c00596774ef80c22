#include "AddressSpace.h"
#include "ErrorHandling.h"
#include "MemoryBudget.h"
#include "TextTesting.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(AddressSpace, AllocationsAreZeroedAlignedAndDisjoint) {
    AddressSpace space;
    const TVMAddress first = space.allocate(12);
    const TVMAddress second = space.allocate(3);
    EXPECT_TRUE(first >= AddressSpace::kFirstValid && second >= first + 12);
    EXPECT_EQ((std::tuple{first % 8, second % 8, space.load32(first + 8)}),
              (std::tuple{0u, 0u, 0u}));
    space.store32(first + 8, 0xDEADBEEF);
    EXPECT_EQ((std::tuple{space.load32(first + 8), space.load8(first + 8), space.load16(first + 10),
                          space.load32(second)}),
              (std::tuple{0xDEADBEEFu, 0xEFu, 0xDEADu, 0u}));
    // A large allocation commits across several steps.
    const TVMAddress big = space.allocate(3 << 20);
    space.store32(big + (3 << 20) - 4, 7);
    EXPECT_EQ(space.load32(big + (3 << 20) - 4), 7u);
}

// Null raises a NullPointerException; any other address outside the committed part is a
// fatal machine error, also before the first allocation.
TEST(AddressSpace, AccessOutsideTheCommittedPartRaises) {
    AddressSpace space;
    EXPECT_EQ(raisedCode([&] { space.load8(AddressSpace::kFirstValid); }), EFatalMachineError);
    space.allocate(64);
    const TVMAddress end = space.committedEnd();
    EXPECT_EQ(raisedCode([&] { space.load32(0); }), ENullPointer);
    EXPECT_EQ(raisedCode([&] { space.store8(0, 1); }), ENullPointer);
    for (const TVMAddress outside : {4u, AddressSpace::kFirstValid - 2, end - 2, end, ~0u})
        EXPECT_EQ(raisedCode([&] { space.load32(outside); }), EFatalMachineError) << outside;
    EXPECT_EQ(raisedCode([&] { space.load32(end - 4); }), 0);
    EXPECT_EQ(raisedCode([&] { space.load8(end - 1); }), 0);
}

// Memory is committed in large steps while the budget allows them and page by page near
// its limit, so that its last bytes stay usable; what fits in no way is refused uncharged.
TEST(AddressSpace, NearTheBudgetsLimitMemoryIsCommittedPageByPage) {
    constexpr TUint32 kPage = 4096;
    const TUint64 limit = MemoryBudget::limit();
    AddressSpace space;
    space.allocate(64);
    const TUint32 step = space.committedEnd() - AddressSpace::kFirstValid;
    EXPECT_GT(step, 16 * kPage);
    MemoryBudget::setLimit(MemoryBudget::used() + 3 * kPage);
    const TVMAddress last = space.allocate(step) + step - 1;
    EXPECT_EQ(space.committedEnd(), AddressSpace::kFirstValid + step + kPage);
    space.store8(last, 1);
    const TUint64 used = MemoryBudget::used();
    EXPECT_THROW(space.allocate(3 * kPage), std::bad_alloc);
    EXPECT_EQ(MemoryBudget::used(), used);
    space.allocate(2 * kPage);
    EXPECT_EQ(space.committedEnd(), AddressSpace::kFirstValid + step + 3 * kPage);
    MemoryBudget::setLimit(limit);
}

} // namespace
