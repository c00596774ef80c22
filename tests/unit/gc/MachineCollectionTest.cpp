#include "CollectorTesting.h"
#include "MachineTesting.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>

namespace {

bool alive(VirtualMachine& machine, TVMAddress object) {
    return machine.getHeap().isBlockInUse(headerOf(object));
}

// Whether the object is alive and still the one whose word 1 is `mark`: the block of a
// freed object may hold a newer one.
bool stillHolds(VirtualMachine& machine, TVMAddress object, TUint32 mark) {
    return alive(machine, object) && machine.memory().load32(object + 4) == mark;
}

// Sets the collector's stress mode for the machines made while it lives.
class StressSetting {
public:
    explicit StressSetting(const char* value) {
        if (const char* old = std::getenv(kName)) previous = old;
        setenv(kName, value, 1);
    }
    ~StressSetting() {
        if (previous) {
            setenv(kName, previous->c_str(), 1);
        } else {
            unsetenv(kName);
        }
    }
    StressSetting(const StressSetting&) = delete;
    StressSetting& operator=(const StressSetting&) = delete;

private:
    static constexpr const char* kName = "KESTRO_GC_STRESS";
    std::optional<std::string> previous;
};

const char* const kProgram = R"(
.globals 2
.class Pair
    refs 1
.frame plain
.frame one
    args 1 | argrefs 0
.frame answer
    results 1
.frame locals
    locals 2
    localrefs 1
.function "main" done, plain
.function "make" make, plain
.function "(*object)made" made, answer
.function "wait" wait, plain
.function "show<object>" show, one
.function "break" break, plain
.function "repair" repair, plain
.function "churn" churn, plain
.function "scan" scan, locals
.code
done:
    ret 0, 0
make:                       ; global 0 := a new object, global 1 := minus another one
    globals | new OBJECT, 2
    storen 1
    globals | field 1 | new OBJECT, 2
    neg
    store
    ret 0, 0
made:                       ; result (R-1), return (R)
    addr -2 | new OBJECT, 2
    store
    ret 0, 1
wait:
    str "waiting" | native Debug, 1
    ret 0, 0
show:                       ; object (R-1), return (R)
    str "shown" | native Debug, 1
    ret 0, 2
break:                      ; global 0 := a pair whose reference is to a freed object
    globals | new OBJECT, 2
    dup | setclass Pair
    dup | field 1 | new OBJECT, 2
    store
    storen 1
    globals | load | field 1 | load | free
    ret 0, 0
repair:
    globals | load | field 1 | clear
    ret 0, 0
churn:                      ; global 0 := minus an object that nothing refers to
    globals | new OBJECT, 2
    dup | field 1 | push 4711  ; recognisable while the object lives
    store
    neg
    storen 1
    new OBJECT, 2
    adjust -1
    str "check" | native Debug, 1
    ret 0, 0
scan:                       ; return (R), kept (R+1, a reference), plain (R+2)
    new OBJECT, 2
    dup | field 1 | push 11 | store
    new OBJECT, 2
    dup | field 1 | push 22 | store
    globals | pick -3 | neg
    storen 1
    globals | field 1 | pick -2 | neg
    store
    str "collect" | native Debug, 1
    ret 2, 3
)";

TEST(MachineCollection, AfterAHostCallWhatNothingReachesIsFreedButTheResultOutlivesIt) {
    StartedMachine vm(kProgram);
    vm.machine->callMethod(vm.handle("make"), {}, {}, 0);
    // The one held in a global lives.
    EXPECT_EQ((std::tuple{alive(*vm.machine, vm.global(0)), alive(*vm.machine, 0u - vm.global(1))}),
              (std::tuple{true, false}));
    const TVMAddress result = vm.machine->callMethod(vm.handle("(object)made"), {}, {}, 1);
    EXPECT_TRUE(alive(*vm.machine, result));
    vm.machine->callMethod(vm.handle("wait"), {}, {}, 0);
    EXPECT_FALSE(alive(*vm.machine, result));
}

TEST(MachineCollection, QueuedCallsKeepTheirArgumentsUntilTheyRun) {
    StartedMachine vm(kProgram);
    VirtualMachine& machine = *vm.machine;
    TVMAddress argument = 0;
    std::optional<bool> aliveWhenShown;
    vm.host.onLog = [&](const std::string& line) {
        if (line == "waiting") {
            argument = machine.getHeap().allocateWords(2, GC_CODE_DATA);
            machine.callMethodOrQueue(vm.handle("show<object>"), {argument}, {0}, 0);
        }
        if (line == "shown") aliveWhenShown = alive(machine, argument);
    };
    machine.callMethod(vm.handle("wait"), {}, {}, 0);
    EXPECT_EQ(aliveWhenShown, true) << "the collection after the first call kept it";
    EXPECT_FALSE(alive(machine, argument)) << "and let it go once its call was over";
}

TEST(MachineCollection, ACollectionErrorLeavesTheMachineIdle) {
    StartedMachine vm(kProgram);
    VirtualMachine& machine = *vm.machine;
    EXPECT_EQ(raisedCode([&] { machine.callMethod(vm.handle("break"), {}, {}, 0); }), EVMException);
    EXPECT_EQ(latin1(lastErrorMessage()), "VMException") << "an empty message";
    EXPECT_EQ(raisedCode([&] { machine.callMethod(vm.handle("repair"), {}, {}, 0); }), 0);
    EXPECT_TRUE(alive(machine, vm.global(0)));
}

TEST(MachineCollection, TheFullCollectionFollowsTheRunningFrames) {
    StartedMachine vm(kProgram);
    VirtualMachine& machine = *vm.machine;
    std::optional<bool> keptAlive, plainAlive;
    vm.host.onLog = [&](const std::string&) {
        machine.collectGarbage();
        keptAlive = stillHolds(machine, 0u - vm.global(0), 11);
        plainAlive = stillHolds(machine, 0u - vm.global(1), 22);
    };
    machine.callMethod(vm.handle("scan"), {}, {}, 0);
    // A local reference slot keeps its object; a local slot the layout does not name not.
    EXPECT_EQ((std::tuple{keptAlive, plainAlive}), (std::tuple{true, false}));
}

TEST(MachineCollection, StressModeCollectsBeforeEveryAllocation) {
    for (const bool stressed : {false, true}) {
        const StressSetting setting(stressed ? "1" : "0");
        StartedMachine vm(kProgram);
        std::optional<bool> dropped;
        vm.host.onLog = [&](const std::string&) {
            dropped = !stillHolds(*vm.machine, 0u - vm.global(0), 4711);
        };
        vm.machine->callMethod(vm.handle("churn"), {}, {}, 0);
        EXPECT_EQ(dropped, stressed);
    }
}

TEST(MachineCollection, ByteArraysSurviveTheirOwnMaking) {
    const StressSetting setting("1");
    StartedMachine vm(kProgram);
    VirtualMachine& machine = *vm.machine;
    std::optional<bool> whole;
    vm.host.onLog = [&](const std::string&) {
        const TVMAddress variable = machine.createByteArray({7, 8, 9});
        const TVMAddress array = machine.memory().load32(variable);
        const TVMAddress storage = machine.memory().load32(array + OVector::EStorage);
        whole = alive(machine, variable) && alive(machine, array) && alive(machine, storage) &&
                machine.memory().load8(storage + 2) == 9;
    };
    machine.callMethod(vm.handle("wait"), {}, {}, 0);
    EXPECT_EQ(whole, true);
}

TEST(MachineCollection, EveryNativeObjectIsFinalisedOnceWhenTheMachineGoes) {
    auto machine = std::make_unique<VirtualMachine>();
    VMHeap& heap = machine->getHeap();
    std::vector<int> destroyed(4);
    const auto counted = [&](std::size_t which) {
        return std::make_unique<TracedNative>([&destroyed, which] { ++destroyed[which]; });
    };
    heap.addRoot(heap.allocateNative(counted(0), GC_CODE_DATA));
    heap.allocateNative(counted(1), GC_CODE_STRING);
    heap.allocateNativeWithCell(counted(2), GC_CODE_HASH);
    heap.freeObject(heap.allocateNative(counted(3), GC_CODE_DATA));
    EXPECT_EQ(destroyed, (std::vector<int>{0, 0, 0, 1}));
    machine.reset();
    EXPECT_EQ(destroyed, (std::vector<int>{1, 1, 1, 1}));
}

} // namespace
