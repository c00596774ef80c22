#include "FreeBlockLists.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(FreeBlockLists, SizeClassIsTheSmallestPowerOfTwoAtLeastTheSize) {
    const std::pair<TUint32, TInt32> cases[] = {{0, 0},      {1, 0},        {2, 1}, {3, 2},
                                                {4, 2},      {5, 3},        {8, 3}, {9, 4},
                                                {64000, 16}, {1u << 31, 31}};
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(sizeClass(size), expected) << size;
}

// The header of the block findFit() chooses, taken off its list; 0 when none fits.
TVMAddress takeFit(FreeBlockLists& lists, TUint32 size) {
    FreeBlockLists::Node* node = lists.findFit(size);
    return node ? lists.take(node).header : 0;
}

TEST(FreeBlockLists, LargerClassesAreTriedBeforeFirstFitInTheOwnClass) {
    FreeBlockLists lists;
    const TUint32 small = lists.add({0x100, 20, nullptr}); // class 5
    lists.add({0x200, 24, nullptr});                       // class 5
    lists.add({0x300, 300, nullptr});                      // class 9
    lists.add({0x400, 200, nullptr});                      // class 8
    EXPECT_EQ((std::vector{takeFit(lists, 17), takeFit(lists, 17), takeFit(lists, 22),
                           takeFit(lists, 22)}),
              (std::vector<TVMAddress>{0x400, 0x300, 0x200, 0}));
    EXPECT_EQ(lists.find(small)->header, 0x100u);
    EXPECT_EQ(lists.take(small).size, 20u);
    EXPECT_FALSE(lists.find(small) || lists.find(0));
}

TEST(FreeBlockLists, RefileKeepsTheOrderOfTakeThenAdd) {
    FreeBlockLists lists;
    const TUint32 first = lists.add({0x100, 20, nullptr});
    const TUint32 last = lists.add({0x200, 24, nullptr});
    const TUint32 other = lists.add({0x300, 100, nullptr});
    EXPECT_EQ(lists.refile(last, {0x240, 30, nullptr}), last);
    lists.refile(first, {0x140, 18, nullptr}); // now behind 0x240
    lists.refile(other, {0x340, 1000, nullptr});
    EXPECT_EQ((std::vector{takeFit(lists, 600), takeFit(lists, 17), takeFit(lists, 17)}),
              (std::vector<TVMAddress>{0x340, 0x240, 0x140}));
}

} // namespace
