#include "MemoryBudget.h"

#include <gtest/gtest.h>

#include <new>

namespace {

TEST(MemoryBudget, SizesAreBytesWithAnOptionalBinarySuffix) {
    EXPECT_EQ(MemoryBudget::parseSize("4096"), 4096u);
    EXPECT_EQ(MemoryBudget::parseSize("64M"), 64u << 20);
    EXPECT_EQ(MemoryBudget::parseSize("2g"), TUint64{2} << 30);
    EXPECT_EQ(MemoryBudget::parseSize("3k"), 3u << 10);
    for (const char* wrong :
         {"", "M", "12MB", "-5", "1.5G", "18446744073709551616", "17179869184G"})
        EXPECT_EQ(MemoryBudget::parseSize(wrong), std::nullopt) << wrong;
}

TEST(MemoryBudget, AChargePastTheLimitFailsAndLeavesTheBudgetAsItWas) {
    const TUint64 before = MemoryBudget::used();
    MemoryBudget::setLimit(before + 1000);
    MemoryBudget::charge(600);
    EXPECT_THROW(MemoryBudget::charge(401), std::bad_alloc);
    EXPECT_EQ(MemoryBudget::used(), before + 600);
    EXPECT_NO_THROW(MemoryBudget::require(400));
    EXPECT_THROW(MemoryBudget::require(TUint64{1} << 63), std::bad_alloc);
    MemoryBudget::release(600);
    EXPECT_NO_THROW(MemoryBudget::charge(1000));
    MemoryBudget::release(1000);
    EXPECT_EQ(MemoryBudget::used(), before);
    MemoryBudget::setLimit(~TUint64{0});
}

} // namespace
