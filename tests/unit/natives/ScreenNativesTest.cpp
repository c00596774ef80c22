// The screen natives ask the host's screen for everything and keep nothing themselves but
// the orientation listeners, which stay alive from their addition to their removal.
#include "HeapEntry.h"
#include "MachineTesting.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// A screen of the device's size that records the requests it gets.
class ScreenHost : public RecordingHost {
public:
    void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) override {
        repaints.push_back({x, y, width, height});
    }
    void setOrientation(TInt32 value) override { orientation = value; }
    TInt32 getOrientation() override { return orientation; }
    void getScreenSize(TInt32& width, TInt32& height) override {
        width = orientation == 2 ? 800 : 480;
        height = orientation == 2 ? 480 : 800;
    }
    void screenRequest(bool on) override { screenRequests.push_back(on); }
    void addOrientationListener(TVMAddress listener) override { added.push_back(listener); }
    void removeOrientationListener(TVMAddress listener) override { removed.push_back(listener); }

    TInt32 orientation = 2;
    std::vector<std::array<TInt32, 4>> repaints;
    std::vector<bool> screenRequests;
    std::vector<TVMAddress> added;
    std::vector<TVMAddress> removed;
};

struct ScreenMachine {
    ScreenHost host;
    std::unique_ptr<VirtualMachine> machine = std::make_unique<VirtualMachine>();

    explicit ScreenMachine(const std::string& code) {
        const std::string source = ".class Listener\n"
                                   ".frame main\n"
                                   ".function \"main\" main, main\n"
                                   ".code\n"
                                   "main:\n" +
                                   code + "    ret 0, 0\n";
        KESTRO::MemoryInputStream stream(writeModule(assemble(source)));
        machine->startApplication(stream, OString("index.mcb"), host.services());
    }
    bool alive(TVMAddress object) {
        machine->collectGarbage();
        return machine->getHeap().isBlockInUse(headerOf(object));
    }
};

TEST(ScreenNatives, SizeAndOrientationComeFromTheHost) {
    ScreenMachine run(R"(
    native Screen, screenSize
    tostr
    native Debug, 1
    tostr
    native Debug, 1
    push 1 | native Screen, setOrientation
    native Screen, orientation
    tostr
    native Debug, 1
    native Screen, screenSize
    tostr
    native Debug, 1
    tostr
    native Debug, 1
)");
    EXPECT_EQ(run.host.lines, (std::vector<std::string>{"480", "800", "1", "800", "480"}));
    EXPECT_EQ(run.host.orientation, 1);
}

TEST(ScreenNatives, RepaintRequestsGoToTheHostAndLeaveTheStackAsItWas) {
    ScreenMachine run(R"(
    push 99 | native Screen, repaintAll
    push 1 | push 2 | push 3 | push 4 | native Screen, repaintArea
    push 7 | native Screen, screenRequest
    push 0 | native Screen, screenRequest
    tostr
    native Debug, 1
)");
    EXPECT_EQ(run.host.lines, std::vector<std::string>{"99"});
    const std::vector<std::array<TInt32, 4>> expected{{0, 0, 800, 480}, {1, 2, 3, 4}};
    EXPECT_EQ(run.host.repaints, expected);
    EXPECT_EQ(run.host.screenRequests, (std::vector<bool>{true, false}));
}

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
    EXPECT_TRUE(run.alive(twice));
    EXPECT_FALSE(run.alive(removed));
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
