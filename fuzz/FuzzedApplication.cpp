#include "FuzzedApplication.h"

#include "ErrorHandling.h"
#include "InstructionBudget.h"
#include "MachineStop.h"
#include "Stream.h"
#include "TextTesting.h"

#include <algorithm>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>

namespace {

// The machine reads the collector's stress mode from the environment when it is made.
std::unique_ptr<VirtualMachine> makeMachine(bool stressCollections) {
    if (!stressCollections) return std::make_unique<VirtualMachine>();
    setenv("KESTRO_GC_STRESS", "1", 1);
    auto machine = std::make_unique<VirtualMachine>();
    unsetenv("KESTRO_GC_STRESS");
    return machine;
}

// Natives take time in proportion to the bytes they copy, while the instruction budget
// counts a native call as one instruction: a program that appends its largest array to
// itself in a loop would run for minutes within its budget. So, while an application
// runs, every host allocation spends an instruction per KiB as well.
void spendOnAllocation(const volatile void*, std::size_t bytes) {
    TInt64& remaining = InstructionBudget::remaining;
    if (remaining > 0)
        remaining = std::max<TInt64>(0, remaining - static_cast<TInt64>(bytes >> 10));
}

void noFreeHook(const volatile void*) {}

} // namespace

FuzzedApplication::FuzzedApplication(bool stressCollections) : budget(kMemoryBudget) {
    static const int hooked =
        __sanitizer_install_malloc_and_free_hooks(spendOnAllocation, noFreeHook);
    (void)hooked;
    vm = makeMachine(stressCollections);
    InstructionBudget::remaining = kInstructionBudget;
}

// The machine goes before the budget, which checks that it gave back all it took.
FuzzedApplication::~FuzzedApplication() {
    InstructionBudget::remaining = -1;
    vm.reset();
    clearLastError();
}

template <class Call> void FuzzedApplication::hostCall(Call&& call) {
    if (!running()) return;
    try {
        call();
    } catch (const ErrorHandlingException&) {
        ending = "error: " + latin1(lastErrorMessage());
    } catch (const MachineStop& stop) {
        ending = stop.value == MachineStop::kExitRequested
                     ? "exit"
                     : "fatal machine error: " + lastFatalDescription();
    }
}

void FuzzedApplication::start(std::span<const TUint8> module) {
    hostCall([&] {
        KESTRO::MemoryInputStream stream(std::vector<TUint8>(module.begin(), module.end()));
        vm->startApplication(stream, OString("index.mcb"), services.services());
    });
}

void FuzzedApplication::deliver(EventHandle event, std::initializer_list<TUint32> values) {
    hostCall([&] { vm->deliverEvent(event, values); });
}
