#include "RoundTrip.h"

#include "Assembler.h"
#include "Disassembler.h"
#include "ModuleReader.h"
#include "ModuleWriter.h"

#include <cstdio>
#include <cstdlib>

void checkRoundTrip(const std::vector<TUint8>& bytes) {
    ModuleImage image;
    try {
        image = ModuleReader::read(bytes);
    } catch (const ModuleFormatError&) {
        return;
    }
    const std::string source = disassemble(image);
    if (writeModule(assemble(source)) != bytes) {
        std::fprintf(stderr, "the disassembly does not assemble to the module:\n%s\n",
                     source.c_str());
        std::abort();
    }
}
