// The kestro program: finds the application directory, loads the application's
// bytecode module "index.mcb" and reports what it holds.
#include "ApplicationDirectory.h"
#include "ErrorHandling.h"
#include "ModuleLoader.h"
#include "Stream.h"

#include <cstdio>

namespace {

const char* const kModuleName = "index.mcb";

void printLastErrorAsFatal() {
    const OString message = lastErrorMessage();
    std::string text;
    for (TInt32 i = 0; i < message.length(); ++i)
        text += static_cast<char>(message.at(i));
    std::fprintf(stderr, "FATAL: %s\n", text.c_str());
}

void reportLoaded(const ModuleTables& tables) {
    std::size_t classMethods = 0;
    for (const ExportedMethod& method : tables.methods)
        classMethods += method.isClassMethod ? 1 : 0;
    std::printf("%s: %zu global functions, %zu class methods, %d classes, %zu frame layouts, "
                "%zu string constants, %zu code bytes\n",
                kModuleName, tables.methods.size() - classMethods, classMethods,
                tables.maxClassIndex, tables.frameLayouts.size(), tables.stringConstants.size(),
                tables.code.size());
}

} // namespace

int main(int argc, char** argv) {
    const auto directory = applicationDirectory(argc, argv);
    if (!directory) {
        std::fprintf(stderr, "%s: VM basename too long\n", programBaseName(argv[0]).c_str());
        return 1;
    }
    const std::string path = *directory + "/" + kModuleName;
    KESTRO::FileInputStream stream;
    if (!stream.open(path.c_str())) {
        std::fprintf(stderr, "Failed to open '%s'\n", path.c_str());
        return 1;
    }
    ModuleTables tables;
    try {
        try {
            if (ModuleLoader::load(tables, OString(kModuleName), stream) < 0)
                raiseFatalMachineError("Error while reading bytecode");
        } catch (const ErrorHandlingException&) {
            raiseFatalMachineError("Error while reading bytecode");
        }
    } catch (const ErrorHandlingException&) {
        printLastErrorAsFatal();
        return 1;
    }
    reportLoaded(tables);
    return 0;
}
