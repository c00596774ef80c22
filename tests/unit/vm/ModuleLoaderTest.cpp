// A later module's tables are appended to the earlier ones' and its operands relocated.
// The loading and refusal of a single module are what every program and the command-line
// checks go through (tests/e2e, tests/cli); a second module is loaded only here.
#include "ModuleLoader.h"
#include "Assembler.h"
#include "LittleEndian.h"
#include "ModuleWriter.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TInt32 load(ModuleTables& tables, const char* source) {
    return ModuleLoader::load(tables, OString("index.mcb"), writeModule(assemble(source)));
}

TInt32 operand32(const ModuleTables& tables, std::size_t at) {
    return static_cast<TInt32>(readLittleEndian32(&tables.code[at]));
}

// A method's entries as (class index, code offset, frame layout).
using Entry = std::tuple<TInt32, TInt32, TInt32>;
std::vector<Entry> entriesOf(const ExportedMethod& method) {
    std::vector<Entry> entries;
    for (const MethodEntry& entry : method.entries)
        entries.emplace_back(entry.classIndex, entry.codeOffset, entry.methodIndex);
    return entries;
}

const char* const kFirstModule = R"(
.class A
.frame f0
.frame f1
.method "<a>.run"
    impl A top, f0
.string "one"
.code
top:
    ret 0, 0
)";

// Every instruction whose operands the loader relocates, with positive and negative
// operands where the rule differs.
const char* const kSecondModule = R"(
.id "0000000000000000000000000000000000000002"
.class C
.class D : C
.frame g
.method "<b>.run"
    impl D start, g
.method "<a>.run"
    impl C start, g
.string "two"
.code
start:
    call start, g           ; 0
    call start, -1          ; 9
    vcall "<b>.run"         ; 18
    vcall "<a>.run"         ; 23
    str "two"               ; 28
    setclass D              ; 33
    try D, start            ; 38
    try *, start            ; 47
    push 7                  ; 56
)";

TEST(ModuleLoader, RelocatesOperandsOfALaterModuleByTheTableSizes) {
    ModuleTables tables;
    ASSERT_EQ(load(tables, kFirstModule), 0);
    const TInt32 codeBase = static_cast<TInt32>(tables.code.size());
    ASSERT_EQ(codeBase, 9);
    ASSERT_EQ(tables.maxClassIndex, 1);
    ASSERT_EQ(load(tables, kSecondModule), 1);
    EXPECT_EQ(tables.modules[1].codeBase, 9);

    // The call target moves by the code base, the frame by the method base 2; a negative
    // frame is kept; "<b>.run" is a new method, "<a>.run" merges with module 1's; the
    // string, the class and the handler's class move by their bases (1, 2, 2); the handler
    // offset moves with the code; the catch-all and plain values are copied.
    std::vector<TInt32> operands;
    for (const std::size_t offset : {1, 5, 14, 19, 24, 29, 34, 39, 43, 48, 57})
        operands.push_back(operand32(tables, static_cast<std::size_t>(codeBase) + offset));
    EXPECT_EQ(operands, (std::vector<TInt32>{codeBase, 2, -1, 1, 0, 1, 3, 3, -47, -1, 7}));

    EXPECT_EQ((std::tuple{tables.maxClassIndex, tables.superclass[3]}), (std::tuple{3, 2}));
    EXPECT_EQ(entriesOf(tables.methods[0]), (std::vector<Entry>{{1, 0, 0}, {2, codeBase, 2}}));
    EXPECT_EQ(latin1(tables.stringConstants[1]), "two");
}

} // namespace
