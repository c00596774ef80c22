// Fuzz target: the interpreter on generated programs. The bytes choose a mostly-valid
// module (see ProgramGenerator.h), whether the machine collects before every allocation,
// and the host events delivered after the start-up. With KESTRO_FUZZ_SHOW_PROGRAM set,
// the program's source and how it ended go to standard error.
#include "Assembler.h"
#include "FuzzChoices.h"
#include "FuzzedApplication.h"
#include "InstructionBudget.h"
#include "ModuleWriter.h"
#include "ProgramGenerator.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMostEvents = 16;

std::vector<TUint8> assembleGenerated(const std::string& source) {
    try {
        return writeModule(assemble(source));
    } catch (const AssemblyError& error) {
        std::fprintf(stderr, "%s\nthe generated program does not assemble: %s: %s\n",
                     source.c_str(), error.origin.c_str(), error.what());
        std::abort();
    }
}

// A value the host passes: a number, or an address the application knows.
TUint32 eventValue(FuzzChoices& choices, FuzzedApplication& application) {
    switch (choices.index(4)) {
    case 0: return application.machine().applicationObjectReference();
    case 1: return application.machine().globalsReference();
    default: return choices.interestingWord();
    }
}

// A running timer's listener, if there is one.
TUint32 timerListener(FuzzChoices& choices, FuzzedApplication& application) {
    const auto& timers = application.host().timers;
    if (timers.empty()) return eventValue(choices, application);
    auto timer = timers.begin();
    std::advance(timer, choices.index(static_cast<int>(timers.size())));
    return timer->second;
}

void deliverEvents(FuzzChoices& choices, FuzzedApplication& application) {
    for (int i = 0; i < kMostEvents && application.running() && !choices.exhausted(); ++i) {
        const auto value = [&] { return eventValue(choices, application); };
        switch (choices.index(12)) {
        case 0:
            application.deliver(EHandleSystemTimer, {timerListener(choices, application)});
            break;
        case 1: application.deliver(EHandleDraw, {value()}); break;
        case 2: application.deliver(EHandleKeyPressed, {value()}); break;
        case 3: application.deliver(EHandleKeyReleased, {value()}); break;
        case 4:
            application.deliver(EHandlePointerEvent, {value(), value(), value(), value()});
            break;
        case 5: application.deliver(EHandlePointerPressed, {value()}); break;
        case 6: application.deliver(EHandlePointerDragged, {value()}); break;
        case 7: application.deliver(EHandlePointerReleased, {value()}); break;
        case 8: application.deliver(EHandleExit, {}); break;
        case 9: application.deliver(EHandleForeground, {}); break;
        case 10: application.deliver(EHandleBackground, {}); break;
        default:
            application.deliver(EHandleOrientationChanged,
                                {timerListener(choices, application), value()});
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzChoices choices(data, size);
    const bool stressCollections = choices.oneIn(8);
    const std::string source = generateProgram(choices);
    const bool show = std::getenv("KESTRO_FUZZ_SHOW_PROGRAM") != nullptr;
    if (show) std::fputs(source.c_str(), stderr);
    const std::vector<TUint8> module = assembleGenerated(source);
    FuzzedApplication application(stressCollections);
    application.start(module);
    deliverEvents(choices, application);
    if (show) {
        std::fprintf(stderr, "; %s; %lld instructions left\n",
                     application.running() ? "still running" : application.endingText().c_str(),
                     static_cast<long long>(InstructionBudget::remaining));
    }
    return 0;
}
