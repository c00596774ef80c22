#include "Assembler.h"
#include "Disassembler.h"
#include "ModuleReader.h"
#include "ModuleWriter.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

// Disassembles the module and assembles the text again.
std::vector<TUint8> roundTrip(const std::vector<TUint8>& bytes) {
    return writeModule(assemble(disassemble(ModuleReader::read(bytes))));
}

TEST(RoundTrip, EveryCorpusModuleReassemblesByteForByte) {
    int modules = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KESTRO_CORPUS_DIR)) {
        if (entry.path().extension() != ".kasm") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto bytes = writeModule(assemble(readFile(entry.path())));
        EXPECT_EQ(roundTrip(bytes), bytes);
        ++modules;
    }
    EXPECT_GE(modules, 2);
}

// Any module the reader accepts, however odd, must print and reassemble exactly.
TEST(RoundTrip, MutatedModulesThatStillLoadReassembleByteForByte) {
    const auto original =
        writeModule(assemble(readFile(KESTRO_CORPUS_DIR "/every-instruction.kasm")));
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

} // namespace
