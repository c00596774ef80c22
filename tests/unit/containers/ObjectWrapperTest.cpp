#include "ObjectWrapper.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

using Triple = ObjectWrapper<int, 3>;
static_assert(std::is_trivially_copyable_v<Triple>);
static_assert(sizeof(Triple) == 3 * sizeof(int));
static_assert(sizeof(ObjectWrapper<signed char, 1>) == 1);

TEST(ObjectWrapper, ValuesAreZeroedAndCompared) {
    Triple a{};
    EXPECT_EQ(a, (Triple{{0, 0, 0}}));
    a[2] = 9;
    Triple b = a;
    EXPECT_EQ(a, b);
    b[0] = 1;
    EXPECT_NE(a, b);
}

} // namespace
