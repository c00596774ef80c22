// kestro-dis MODULE: prints a module as assembly source.
// kestro-dis --help | --version
#include "Disassembler.h"
#include "ModuleReader.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const char* const usage = "usage: kestro-dis MODULE\n       kestro-dis --help | --version\n";
    if (argc != 2) {
        std::cerr << usage;
        return 2;
    }
    if (std::string(argv[1]) == "--help") {
        std::cout
            << usage
            << "\nPrints the module MODULE (an index.mcb) as assembly source that kestro-asm\n"
               "assembles back into the same bytes.\n";
        return 0;
    }
    if (std::string(argv[1]) == "--version") {
        std::cout << "kestro-dis " KESTRO_VERSION "\n";
        return 0;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    const std::vector<TUint8> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    try {
        std::cout << disassemble(ModuleReader::read(bytes));
    } catch (const ModuleFormatError& error) {
        std::cerr << argv[1] << ": offset " << error.offset << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
