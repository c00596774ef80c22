#include "Assembler.h"
#include "Disassembler.h"
#include "ModuleReader.h"
#include "ModuleWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kCountDown = ".macro count_down n, step\n"
                               "again:\n"
                               "    push n\n"
                               "    jz again\n"
                               "    step\n"
                               ".endm\n";

// The origin and message of the first assembly error.
std::string errorOf(const std::function<void()>& assembling) {
    try {
        assembling();
    } catch (const AssemblyError& error) {
        return error.origin + ": " + error.what();
    }
    return "no error";
}

std::string assemblyError(const std::string& source) {
    return errorOf([&] { assemble(source); });
}

// Sources and the first error each one raises.
using ErrorCase = std::pair<std::string, const char*>;

void expectErrors(const std::vector<ErrorCase>& cases) {
    for (const auto& [source, error] : cases)
        EXPECT_EQ(assemblyError(source), error) << source;
}

TEST(Assembler, ReportsTheLineOfEachMistake) {
    expectErrors({
        {"    nop\n", "source:1: instructions must follow .code"},
        {".code\n    jmp nowhere\n", "source:2: unknown label 'nowhere'"},
        {".code\n    ret 1\n", "source:2: ret takes 2 operands"},
        {".code\n    pick 300\n", "source:2: a byte: 300 is outside -128..255"},
        {".code\nx:\nx:\n", "source:3: label 'x' defined twice"},
        {".string \"open\n", "source:1: text without its closing quote"},
        {".code\n    native Nowhere, 1\n", "source:2: unknown native group 'Nowhere'"},
        {".class A\n    fields 1\n", "source:2: unknown class line 'fields'"},
        {".widths 1 1 1 1 1 1 1 1 1\n.frame f\n    args 256\n",
         "source:1: width 5 is 1 bytes, too small for 256"},
        {".code\n    .byte,\n", "source:2: .byte needs a number, not nothing"},
        {".code\n    push -9223372036854775808\n",
         "source:2: a 32-bit operand: -9223372036854775808 is outside -2147483648..4294967295"},
        {".code\n    push -9223372036854775809\n",
         "source:2: a 32-bit operand needs a number, not -9223372036854775809"},
        {".code\n    native System, logg\n",
         "source:2: unknown function 'logg' of native group System"},
        {".code\n    native 2, log\n", "source:2: unknown function 'log' of native group 2"},
    });
}

// The programs name native functions by number and by name; the disassembler names them.
TEST(Assembler, TheDisassemblerNamesKnownNativeFunctions) {
    const std::string text = disassemble(ModuleReader::read(writeModule(
        assemble(".code\n    native Debug, 1\n    native Debug, 99\n    native 2, 1\n"))));
    EXPECT_NE(text.find("native Debug, 1"), std::string::npos) << text;
    EXPECT_NE(text.find("; log @0"), std::string::npos) << text;
    EXPECT_NE(text.find("; @3"), std::string::npos) << "an unknown function has no name";
    EXPECT_NE(text.find("native 2, 1"), std::string::npos) << text;
}

TEST(Assembler, ShortBranchesOutOfReachNeedTheWideForm) {
    std::string source = ".code\nstart:\n";
    for (int i = 0; i < 33000; ++i)
        source += "    nop\n";
    EXPECT_EQ(assemblyError(source + "    jmp start\n"),
              "source:33003: label 'start' is too far for jmp (use the .w form)");
    EXPECT_EQ(assemblyError(source + "    jmp.w start\n"), "no error");
}

// Macros with labels, braces and bars are what the end-to-end programs are written in.
TEST(Macros, BracesPairAndOnlyGroupTheArgumentOfAMacro) {
    expectErrors({
        {".code\n    twice {nop\n", "source:2: '{' without '}'"},
        {".macro once code | code | .endm\n.code\n    once {nop} {nop}\n",
         "source:3: in macro once (source:1): braces only group the argument of a macro"},
        {".code\n    nop }\n", "source:2: '}' without '{'"},
        {".code\n    push {1}\n", "source:2: braces only group the argument of a macro"},
    });
}

TEST(Macros, ErrorsNameTheUseAndTheLineOfTheDefinition) {
    const std::string defined = std::string(kCountDown) + ".code\n";
    expectErrors({
        {defined + "    count_down x, nop\n",
         "source:8: in macro count_down (source:3): a 32-bit operand needs a number, not x"},
        {defined + "    count_down 1\n", "source:8: macro count_down takes 2 arguments"},
        {defined + "    count_down 1,\n", "source:8: macro count_down takes 2 arguments"},
        {".macro m\n    m\n.endm\n    m\n", "source:4: in macro m (source:2): macro m uses itself"},
        {".macro m\n    nop\n", "source:1: macro m has no .endm"},
        {".endm\n", "source:1: .endm without .macro"},
        {".macro m\n.macro n\n", "source:2: a macro cannot be defined inside another"},
        {".macro push\n.endm\n", "source:1: macro push has the name of an instruction"},
        {".macro m\n.endm\n.macro m\n.endm\n", "source:3: macro m defined twice"},
        {".macro m a, a\n.endm\n", "source:1: macro m: parameter a twice"},
        {".macro m 1\n.endm\n", "source:1: macro m: parameters are names separated by commas"},
        {".macro\n", "source:1: .macro takes a name and its parameters"},
    });
}

class Includes : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& text) {
        fs::create_directories((directory / name).parent_path());
        std::ofstream(directory / name) << text;
    }
    std::string path(const std::string& name) { return (directory / name).string(); }
    std::string errorInFile(const std::string& name) {
        return errorOf([&] { assembleFile(path(name)); });
    }
    void TearDown() override { fs::remove_all(directory); }

    fs::path directory = fs::temp_directory_path() / ("kestro-include-" + std::to_string(getpid()));
};

TEST_F(Includes, AnErrorNamesTheFileOfTheUseAndOfTheMacro) {
    write("app/main.kasm", ".include \"../lib/all.kasm\"\n.code\n    twice\n");
    write("lib/all.kasm", ".include \"macros.kasm\"\n");
    write("lib/macros.kasm", ".macro twice\n    pop\n.endm\n");
    EXPECT_EQ(errorInFile("app/main.kasm"), path("app/main.kasm") + ":3: in macro twice (" +
                                                path("lib/macros.kasm") +
                                                ":2): unknown instruction 'pop'");
}

TEST_F(Includes, RefuseCyclesAndMissingFiles) {
    write("a.kasm", ".include \"b.kasm\"\n");
    write("b.kasm", "\n.include \"a.kasm\"\n");
    EXPECT_EQ(errorInFile("a.kasm"), path("b.kasm") + ":2: include cycle: " + path("a.kasm") +
                                         " -> " + path("b.kasm") + " -> " + path("a.kasm"));
    write("c.kasm", ".include \"none.kasm\"\n");
    EXPECT_EQ(errorInFile("c.kasm"), path("c.kasm") + ":1: cannot open " + path("none.kasm"));
    write("c.kasm", ".include none\n");
    EXPECT_EQ(errorInFile("c.kasm"),
              path("c.kasm") + ":1: .include takes a file name in double quotes");
}

} // namespace
