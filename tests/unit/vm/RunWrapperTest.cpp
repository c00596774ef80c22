#include "MachineTesting.h"

#include <gtest/gtest.h>

namespace {

// Methods that store what they receive into globals, so that tests can look.
const char* const kRecorder = R"(
.globals 4
.class App
.frame plain
.frame three
    args 3
.frame one
    args 1
.frame answer
    args 1 | results 1
.function "main" done, plain
.function "keep<int><int><int>" keep, three
.function "keepref<*object><int><int>" keep, three
.function "(int)twice<int>" twice, answer
.function "(*object)wrapped<int>" twice, answer
.method "<*application>.pointer event<int>at x<int>y<int>modifiers<int>"
    impl App pointer, plain
.method "<*app>.only for App"
    impl App done, one
.code
done:
    ret 0, 0
keep:                       ; frame: a (R-3), b (R-2), c (R-1), return (R)
    globals | pick -5  ; a
    storen 1
    globals | field 1 | pick -4  ; b
    storen 1
    ret 0, 4
twice:                      ; frame: result (R-2), n (R-1), return (R)
    addr -3 | pick -3 | pick -4 | add
    store
    ret 0, 2
pointer:                    ; frame: app, type, x, y, modifiers, return (R)
    str "pointer" | native Debug, 1
    ret 0, 6
)";

TEST(FindMethod, SplitsSignaturesAndReadsReferenceDepths) {
    StartedMachine vm(R"(
.frame plain
.function "main" 0, plain
.function "vminternalthrow<int>,<*string>" 0, plain
.function "(**int)compute<*int><int>and more" 0, plain
.function "ends<x*" 0, plain
.code
    ret 0, 0
)");
    const TInt32 internal = vm.handle("vminternalthrow<int>,<string>");
    ASSERT_GE(internal, 0);
    const MethodHandle& handle =
        vm.machine->methodHandleTable()[static_cast<std::size_t>(internal)];
    EXPECT_EQ(handle.hasResult, 0);
    EXPECT_EQ(handle.parameterDepths, (std::vector<TInt32>{0, 1}));
    EXPECT_EQ(vm.handle("vminternalthrow<int>,<string>"), internal) << "one handle per method";

    const TInt32 compute = vm.handle("(int)compute<int><int>");
    ASSERT_GE(compute, 0) << "the stored name may go on after the last piece";
    const MethodHandle& computeHandle =
        vm.machine->methodHandleTable()[static_cast<std::size_t>(compute)];
    EXPECT_EQ(computeHandle.hasResult, 1);
    EXPECT_EQ(computeHandle.resultDepth, 2);
    EXPECT_EQ(computeHandle.parameterDepths, (std::vector<TInt32>{1, 0}));

    // The stored name's last character is never counted as a depth.
    const TInt32 ends = vm.handle("ends<x");
    ASSERT_GE(ends, 0);
    EXPECT_EQ(vm.machine->methodHandleTable()[static_cast<std::size_t>(ends)].parameterDepths,
              std::vector<TInt32>{0});
    EXPECT_EQ(vm.handle("missing"), -1);
    EXPECT_EQ(vm.machine->findMethod(OString("main"), 1), -1)
        << "global functions belong to their module";
}

// A machine started from kRecorder.
class RunWrapper : public ::testing::Test {
protected:
    // An object of the module class `classIndex`.
    TVMAddress object(TUint32 classIndex) {
        const TVMAddress made = machine.getHeap().allocateWords(1, GC_CODE_OBJECT);
        machine.memory().store32(made, classIndex);
        return made;
    }
    TInt32 callOnlyForApp(TVMAddress receiver) {
        return raisedCode(
            [&] { machine.callMethod(vm.handle("<app>.only for App"), {receiver}, {1}, 0); });
    }

    StartedMachine<> vm{kRecorder};
    VirtualMachine& machine = *vm.machine;
};

TEST_F(RunWrapper, ConvertReferenceDepthWrapsInCellsAndDereferences) {
    const TUint32 twice = machine.convertReferenceDepth(2, 77);
    EXPECT_NE(twice, 77u);
    EXPECT_EQ(machine.memory().load32(machine.memory().load32(twice)), 77u);
    EXPECT_EQ(machine.convertReferenceDepth(-2, twice), 77u);
    EXPECT_EQ(machine.convertReferenceDepth(0, 5), 5u);
    EXPECT_EQ(machine.convertReferenceDepth(4, 5), 0u);
    EXPECT_EQ(machine.convertReferenceDepth(-4, 5), 0u);
    EXPECT_EQ(raisedCode([&] { machine.convertReferenceDepth(-1, 0); }), ENullPointer);
    EXPECT_EQ(latin1(lastErrorMessage()), "NullPointerException: NULL pointer");
}

TEST_F(RunWrapper, AdaptsArgumentsAndTheResultToTheirDepths) {
    machine.callMethod(vm.handle("keep<int><int><int>"), {11, 22, 33}, {0, 0, 0}, 0);
    EXPECT_EQ(vm.global(0), 11u);
    EXPECT_EQ(vm.global(1), 22u);
    // A reference parameter given at depth 1 passes unchanged; at depth 0 it is wrapped.
    const TInt32 keepRef = vm.handle("keepref<object><int><int>");
    machine.callMethod(keepRef, {0x12345, 1, 2}, {1, 0, 0}, 0);
    EXPECT_EQ(vm.global(0), 0x12345u);
    machine.callMethod(keepRef, {0x12345, 1, 2}, {0, 0, 0}, 0);
    EXPECT_EQ(machine.memory().load32(vm.global(0)), 0x12345u);

    EXPECT_EQ(machine.callMethod(vm.handle("(int)twice<int>"), {21}, {0}, 0), 42u);
    const TUint32 cell = machine.callMethod(vm.handle("(object)wrapped<int>"), {21}, {0}, 2);
    EXPECT_EQ(machine.memory().load32(cell), 42u) << "result depth 1 raised to 2";
}

TEST_F(RunWrapper, ClassMethodsRunOnlyForTheReceiversExactClass) {
    EXPECT_EQ(callOnlyForApp(object(7)), 0);
    EXPECT_EQ(callOnlyForApp(0), ENullPointer);
    EXPECT_EQ(callOnlyForApp(object(1)), 0) << "the failed call left the machine idle";
}

TEST_F(RunWrapper, HostEventsNeedTheApplicationObjectAndTheMethod) {
    machine.deliverEvent(EHandlePointerEvent, {1, 2, 3, 4});
    EXPECT_TRUE(vm.host.lines.empty());
    machine.setApplicationObject(object(1));
    machine.deliverEvent(EHandlePointerEvent, {1, 2, 3, 4});
    machine.deliverEvent(EHandleForeground, {}); // the module has no such method
    EXPECT_EQ(vm.host.lines, std::vector<std::string>{"pointer"});
}

TEST_F(RunWrapper, EventsArrivingDuringACallAreQueuedAndAReentrantCallIsFatal) {
    machine.setApplicationObject(object(1));
    TInt32 reentry = 0;
    vm.host.onLog = [&](const std::string& line) {
        if (line != "pointer" || vm.host.lines.size() > 1) return;
        machine.deliverEvent(EHandlePointerEvent, {5, 6, 7, 8}); // queued behind the running call
        reentry = raisedCode([&] {
            machine.callMethod(vm.handle("keep<int><int><int>"), {1, 2, 3}, {0, 0, 0}, 0);
        });
    };
    machine.deliverEvent(EHandlePointerEvent, {1, 2, 3, 4});
    EXPECT_EQ(reentry, EFatalMachineError);
    EXPECT_EQ(lastFatalDescription(), "VM concurrency error");
    EXPECT_EQ(vm.host.lines, (std::vector<std::string>{"pointer", "pointer"}));
}

} // namespace
