#include "Assembler.h"
#include "Disassembler.h"
#include "ModuleReader.h"
#include "ModuleWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Disassembles the module and assembles the text again.
std::vector<TUint8> roundTrip(const std::vector<TUint8>& bytes) {
    return writeModule(assemble(disassemble(ModuleReader::read(bytes))));
}

TEST(RoundTrip, EveryCorpusModuleReassemblesByteForByte) {
    int modules = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KESTRO_CORPUS_DIR)) {
        if (entry.path().extension() != ".kasm") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto bytes = writeModule(assemble(readText(entry.path())));
        EXPECT_EQ(roundTrip(bytes), bytes);
        ++modules;
    }
    EXPECT_GE(modules, 2);
}

// Any module the reader accepts, however odd, must print and reassemble exactly.
TEST(RoundTrip, MutatedModulesThatStillLoadReassembleByteForByte) {
    const auto original = writeModule(
        assemble(readText(std::filesystem::path(KESTRO_CORPUS_DIR) / "every-instruction.kasm")));
    std::mt19937 random(12345);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        auto bytes = original;
        for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
            bytes[random() % bytes.size()] = static_cast<TUint8>(random());
        try {
            ModuleReader::read(bytes);
        } catch (const ModuleFormatError&) {
            continue;
        }
        ++accepted;
        ASSERT_EQ(roundTrip(bytes), bytes) << "round " << round;
    }
    EXPECT_GT(accepted, 500);
}

TEST(Disassembler, NamesLabelsAfterSignaturesAndMarksOffsets) {
    const std::string text = disassemble(ModuleReader::read(writeModule(assemble(R"(
.frame f
.function "<application>.draw to<canvas>" draw, f
.code
    push 1
draw:
    jz draw
)"))));
    EXPECT_NE(text.find(".function \"<application>.draw to<canvas>\" application_draw_to_canvas, "
                        "application_draw_to_canvas"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("application_draw_to_canvas:\n    jz application_draw_to_canvas"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("; @5"), std::string::npos) << text;
}

// The line and message of the first assembly error.
std::pair<int, std::string> assemblyError(const std::string& source) {
    try {
        assemble(source);
    } catch (const AssemblyError& error) {
        return {error.line, error.what()};
    }
    return {0, "no error"};
}

TEST(Assembler, ReportsTheLineOfEachMistake) {
    EXPECT_EQ(assemblyError(".code\n    nop\n    frobnicate 3\n"),
              std::make_pair(3, std::string("unknown instruction 'frobnicate'")));
    EXPECT_EQ(assemblyError("    nop\n").second, "instructions must follow .code");
    EXPECT_EQ(assemblyError(".code\n    jmp nowhere\n").first, 2);
    EXPECT_EQ(assemblyError(".code\n    ret 1\n").second, "ret takes 2 operands");
    EXPECT_EQ(assemblyError(".code\n    pick 300\n").second, "a byte: 300 is outside -128..255");
    EXPECT_EQ(assemblyError(".code\nx:\nx:\n").second, "label 'x' defined twice");
    EXPECT_EQ(assemblyError(".string \"open\n").second, "text without its closing quote");
    EXPECT_EQ(assemblyError(".code\n    native Nowhere, 1\n").second,
              "unknown native group 'Nowhere'");
    EXPECT_EQ(assemblyError(".class A\n    fields 1\n").second, "unknown class line 'fields'");
    EXPECT_EQ(assemblyError(".widths 1 1 1 1 1 1 1 1 1\n.frame f\n    args 256\n").first, 1);
    EXPECT_EQ(assemblyError(".code\n    .byte,\n").second, ".byte needs a number, not nothing");
    EXPECT_EQ(assemblyError(".code\n    push -9223372036854775808\n").second,
              "a 32-bit operand: -9223372036854775808 is outside -2147483648..4294967295");
    EXPECT_EQ(assemblyError(".code\n    push -9223372036854775809\n").second,
              "a 32-bit operand needs a number, not -9223372036854775809");
}

TEST(Assembler, NativeFunctionsGoByNumberOrByName) {
    const ModuleImage image = assemble(".code\n    native Debug, log\n    native 32, now\n");
    const std::vector<TUint8> expected = {78, 30, 1, 78, 32, 9};
    EXPECT_EQ(image.code, expected);
    EXPECT_EQ(assemblyError(".code\n    native System, logg\n").second,
              "unknown function 'logg' of native group System");
    EXPECT_EQ(assemblyError(".code\n    native 2, log\n").second,
              "unknown function 'log' of native group 2");
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
    EXPECT_EQ(assemblyError(source + "    jmp start\n").second,
              "label 'start' is too far for jmp (use the .w form)");
    EXPECT_EQ(assemblyError(source + "    jmp.w start\n").second, "no error");
}

TEST(Assembler, FixedPointConstantsAreScaledBy2To32) {
    const ModuleImage image = assemble(".code\n    push64 1.5\n    push64 -0.5\n");
    const std::vector<TUint8> expected = {65, 0, 0, 0, 0x80, 1,    0,    0,    0,
                                          65, 0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(image.code, expected);
}

} // namespace
