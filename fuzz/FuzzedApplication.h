// One application run the way the host runs it, on the fuzzing host: with a budget of
// instructions and a memory budget, stopping, as the host does, at the first host call that
// ends the application. A host call may end in the ways the machine documents
// (ErrorHandlingException, MachineStop); anything else escapes to the fuzzer as a finding.
#pragma once

#include "BudgetScope.h"
#include "FuzzHost.h"
#include "VirtualMachine.h"

#include <initializer_list>
#include <memory>
#include <span>
#include <string>

class FuzzedApplication {
public:
    // Instructions one application may run in all.
    static constexpr long long kInstructionBudget = 20000;
    // The memory budget of its machine: machine memory and the host storage of native
    // objects. Small, because natives take time in proportion to the data they copy: a
    // program that copies its largest array in a loop must end well within the timeout.
    static constexpr TUint64 kMemoryBudget = TUint64{16} << 20;

    // With `stressCollections`, the machine collects before every allocation.
    explicit FuzzedApplication(bool stressCollections);
    ~FuzzedApplication();
    FuzzedApplication(const FuzzedApplication&) = delete;
    FuzzedApplication& operator=(const FuzzedApplication&) = delete;

    // Loads the module and runs the start-up.
    void start(std::span<const TUint8> module);
    // Delivers a host event; nothing happens once the application has ended.
    void deliver(EventHandle event, std::initializer_list<TUint32> values);
    bool running() const { return ending.empty(); }
    // How the application ended ("" while it runs): the error, the fatal machine error's
    // description, or the exit; for reading programs that fail.
    const std::string& endingText() const { return ending; }

    VirtualMachine& machine() { return *vm; }
    FuzzHost& host() { return services; }

private:
    template <class Call> void hostCall(Call&& call);

    FuzzHost services;
    BudgetScope budget; // outlives the machine
    std::unique_ptr<VirtualMachine> vm;
    std::string ending;
};
