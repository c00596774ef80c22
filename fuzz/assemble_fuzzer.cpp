// Fuzz target: any text as assembly source. What assembles must write a module, and a
// module the reader accepts must survive the trip through the disassembler unchanged.
#include "Assembler.h"
#include "ModuleWriter.h"
#include "RoundTrip.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TUint8> bytes;
    try {
        bytes = writeModule(assemble(std::string(reinterpret_cast<const char*>(data), size)));
    } catch (const AssemblyError&) {
        return 0;
    }
    checkRoundTrip(bytes);
    return 0;
}
