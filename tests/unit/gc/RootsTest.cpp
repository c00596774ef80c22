#include "CollectorTesting.h"

#include <string>

namespace {

TEST_F(CollectorTest, RootAddedTwiceSurvivesOneRemoval) {
    const TVMAddress object = pair();
    heap.addRoot(object);
    heap.addRoot(object);
    heap.removeRoot(object);
    collect();
    EXPECT_TRUE(alive(object));
    heap.removeRoot(object);
    collect();
    EXPECT_FALSE(alive(object));
}

TEST_F(CollectorTest, RemovingARootNeverAddedReportsItAndChangesNothing) {
    const TVMAddress kept = pair(), stranger = pair();
    heap.addRoot(kept);
    ::testing::internal::CaptureStderr();
    heap.removeRoot(stranger);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Error: Removing non-existing root: " + std::to_string(static_cast<int>(stranger)));
    ASSERT_EQ(heap.roots().size(), 1);
    EXPECT_EQ(*heap.roots().begin(), headerOf(kept));
}

} // namespace
