// A machine started from assembly source, with a host that records what it is asked.
#pragma once

#include "Assembler.h"
#include "FrameworkServices.h"
#include "ModuleWriter.h"
#include "Stream.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class RecordingHost : public FrameworkServices {
public:
    void log(const OString& message) override {
        lines.push_back(latin1(message));
        if (onLog) onLog(lines.back());
    }
    void showExitMessage(const OString&) override {}
    void exitApplication() override { ++exitRequests; }
    TInt32 callExtension(TInt32, TInt32, TInt32, TUint32) override {
        throwError(EVMException, "Dll not supported");
    }

    std::vector<std::string> lines;
    int exitRequests = 0;
    std::function<void(const std::string&)> onLog;
};

struct StartedMachine {
    RecordingHost host;
    std::unique_ptr<VirtualMachine> machine = std::make_unique<VirtualMachine>();

    // Loads the module and runs its start-up.
    explicit StartedMachine(const std::string& source) {
        KESTRO::MemoryInputStream stream(writeModule(assemble(source)));
        machine->startApplication(stream, OString("index.mcb"), &host);
    }
    TInt32 handle(const char* signature) { return machine->findMethod(OString(signature), 0); }
    TUint32 global(TUint32 slot) {
        return machine->memory().load32(machine->globalsReference() + 4 * slot);
    }
};
