// The machine's own part in closing files: the streams of holders that the collection
// after a host call finds dead are deleted then, and destroying the machine deletes the
// streams of every holder still alive, each once.
#include "CountedStreams.h"
#include "MachineTesting.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// Hands out memory streams and counts, per path, how many of them were deleted.
class FileHost : public RecordingHost {
public:
    std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString& path, bool) override {
        return std::make_unique<CountedOutput>(deleted[latin1(path)]);
    }

    std::map<std::string, int> deleted;
};

// Keeps one writer in a global and drops another.
const char* const kProgram = R"(
.globals 1
.frame main
.function "main" main, main
.code
main:
    globals | push 0 | box
    store
    globals | load | str "kept.txt" | false | native FileWriter, 1
    push 0 | box
    str "dropped.txt" | false | native FileWriter, 1
    ret 0, 0
)";

TEST(FileMachine, TheCollectionAfterStartUpDeletesTheDroppedStreamOnly) {
    StartedMachine<FileHost> run(kProgram);
    using Deleted = std::map<std::string, int>;
    EXPECT_EQ(run.host.deleted, (Deleted{{"dropped.txt", 1}, {"kept.txt", 0}}));
    run.machine->collectGarbage();
    EXPECT_EQ(run.host.deleted, (Deleted{{"dropped.txt", 1}, {"kept.txt", 0}}));
    // Destroying the machine deletes every stream left, once.
    run.machine.reset();
    EXPECT_EQ(run.host.deleted, (Deleted{{"dropped.txt", 1}, {"kept.txt", 1}}));
}

} // namespace
