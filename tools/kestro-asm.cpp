// kestro-asm SOURCE -o OUTPUT: assembles a module.
// kestro-asm --instruction-tables: prints the documentation's instruction tables.
// kestro-asm --help | --version
#include "Assembler.h"
#include "InstructionTables.h"
#include "ModuleWriter.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {
const char* const kUsage = "usage: kestro-asm SOURCE -o OUTPUT\n"
                           "       kestro-asm --instruction-tables | --help | --version\n";
}

int main(int argc, char** argv) {
    const std::string first = argc == 2 ? argv[1] : "";
    if (first == "--instruction-tables") {
        std::cout << instructionTables();
        return 0;
    }
    if (first == "--help") {
        std::cout
            << kUsage
            << "\nAssembles the assembly source SOURCE into the module OUTPUT (an index.mcb);\n"
               "mistakes are reported as FILE:LINE: message. --instruction-tables prints the\n"
               "instruction set as the language's documentation shows it.\n";
        return 0;
    }
    if (first == "--version") {
        std::cout << "kestro-asm " KESTRO_VERSION "\n";
        return 0;
    }
    std::string source;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (source.empty() && argument != "-o") {
            source = argument;
        } else {
            source.clear();
            break;
        }
    }
    if (source.empty() || output.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const std::vector<TUint8> bytes = writeModule(assembleFile(source));
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << output << ": cannot write\n";
            return 1;
        }
    } catch (const AssemblyError& error) {
        std::cerr << error.origin << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
