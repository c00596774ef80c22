// kestro-dis MODULE: prints a module as assembly source.
#include "Disassembler.h"
#include "ModuleReader.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kestro-dis MODULE\n";
        return 2;
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
