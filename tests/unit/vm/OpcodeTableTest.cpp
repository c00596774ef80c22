#include "Opcodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

// The operand widths of the loader's copy table, written out independently of the
// opcode table so that a slip in either shows up.
int documentedOperandBytes(int opcode) {
    static const std::set<int> one = {1,   3,   5,   8,   79,  81,  83, 85,
                                      105, 106, 118, 128, 129, 130, 184};
    static const std::set<int> two = {10, 12, 78, 97, 131, 132, 133};
    static const std::set<int> four = {2, 4, 6, 9, 11, 13, 20, 80, 82, 84, 86, 185, 15, 21, 22};
    static const std::set<int> eight = {16, 65, 14, 117};
    if (one.count(opcode)) return 1;
    if (two.count(opcode)) return 2;
    if (four.count(opcode)) return 4;
    if (opcode == 17) return 5;
    if (opcode == 146 || opcode == 147) return 6;
    if (eight.count(opcode)) return 8;
    return 0;
}

bool documentedInvalid(int opcode) {
    const std::set<int> single = {56, 77, 115, 116, 127};
    const int ranges[][2] = {{66, 72},   {87, 96},   {98, 104},  {107, 113}, {121, 124},
                             {136, 138}, {140, 145}, {149, 155}, {186, 255}};
    if (single.count(opcode)) return true;
    for (const auto& range : ranges)
        if (opcode >= range[0] && opcode <= range[1]) return true;
    return false;
}

TEST(OpcodeTable, OperandWidthsAndValidityMatchTheLoaderTable) {
    for (int opcode = 0; opcode < 256; ++opcode) {
        const OpcodeInfo& info = kOpcodeTable[static_cast<std::size_t>(opcode)];
        EXPECT_EQ(info.operandBytes, documentedOperandBytes(opcode)) << "opcode " << opcode;
        EXPECT_EQ(info.isValid(), !documentedInvalid(opcode)) << "opcode " << opcode;
    }
}

// The operand names as the documentation writes them, e.g. "gc, n": one per operand.
int namedOperands(const std::string& names) {
    if (names.empty()) return 0;
    return 1 + static_cast<int>(std::count(names.begin(), names.end(), ','));
}

TEST(OpcodeTable, EveryValidOpcodeHasAUniqueMnemonicAndDescribesItsOperandsAndEffect) {
    std::set<std::string> seen;
    for (const OpcodeInfo& info : kOpcodeTable) {
        if (!info.isValid()) continue;
        EXPECT_TRUE(seen.insert(info.mnemonic).second) << info.mnemonic;
        EXPECT_EQ(namedOperands(info.operandNames), info.operandCount) << info.mnemonic;
        EXPECT_GE(info.pops, kVaries) << info.mnemonic;
        EXPECT_GE(info.pushes, kVaries) << info.mnemonic;
        EXPECT_STRNE(info.effect, "") << info.mnemonic;
    }
}

TEST(OpcodeTable, WideFormsMoveAsManySlotsAsTheirPlainForms) {
    std::map<std::string, const OpcodeInfo*> byMnemonic;
    for (const OpcodeInfo& info : kOpcodeTable)
        if (info.isValid()) byMnemonic[info.mnemonic] = &info;
    int wideForms = 0;
    for (const auto& [mnemonic, wide] : byMnemonic) {
        if (!mnemonic.ends_with(".w")) continue;
        const OpcodeInfo* plain = byMnemonic.at(mnemonic.substr(0, mnemonic.size() - 2));
        EXPECT_EQ(wide->pops, plain->pops) << mnemonic;
        EXPECT_EQ(wide->pushes, plain->pushes) << mnemonic;
        EXPECT_STREQ(wide->operandNames, plain->operandNames) << mnemonic;
        ++wideForms;
    }
    EXPECT_EQ(wideForms, 11);
}

} // namespace
