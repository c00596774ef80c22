// The screen natives keep nothing themselves but the orientation listeners, which stay alive
// from their addition to their removal.
#include "HeapEntry.h"
#include "MachineTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A screen that records the listeners it is given.
class ScreenHost : public RecordingHost {
public:
    void addOrientationListener(TVMAddress listener) override { added.push_back(listener); }
    void removeOrientationListener(TVMAddress listener) override { removed.push_back(listener); }

    std::vector<TVMAddress> added;
    std::vector<TVMAddress> removed;
};

// A machine whose start-up runs `code`, and whether an object outlives a full collection.
struct ScreenMachine : StartedMachine<ScreenHost> {
    explicit ScreenMachine(const std::string& code)
        : StartedMachine(".class Listener\n.frame main\n.function \"main\" main, main\n"
                         ".code\nmain:\n" +
                         code + "    ret 0, 0\n") {}
    bool alive(TVMAddress object) {
        machine->collectGarbage();
        return machine->getHeap().isBlockInUse(headerOf(object));
    }
};

TEST(ScreenNatives, AnAddedListenerLivesUntilItIsRemovedAsOftenAsAdded) {
    ScreenMachine run(R"(
    new OBJECT, 1
    dup | native Screen, addOrientationListener
    native Screen, addOrientationListener
    new OBJECT, 1
    dup | native Screen, addOrientationListener
    native Screen, removeOrientationListener
)");
    ASSERT_EQ(run.host.added.size(), 3u);
    const TVMAddress twice = run.host.added[0];
    const TVMAddress removed = run.host.added[2];
    EXPECT_EQ(run.host.removed, std::vector<TVMAddress>{removed});
    EXPECT_TRUE(run.alive(twice) && !run.alive(removed));
    run.machine->getHeap().removeRoot(twice);
    EXPECT_TRUE(run.alive(twice)) << "added twice, removed once";
    run.machine->getHeap().removeRoot(twice);
    EXPECT_FALSE(run.alive(twice));
}

TEST(ScreenNatives, RemovingAListenerNeverAddedIsReportedAndChangesNothing) {
    ::testing::internal::CaptureStderr();
    ScreenMachine run(R"(
    new OBJECT, 1
    native Screen, removeOrientationListener
)");
    ASSERT_EQ(run.host.removed.size(), 1u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Error: Removing non-existing root: " +
                  std::to_string(static_cast<int>(run.host.removed[0])));
}

} // namespace
