#include "ModuleLoader.h"
#include "Assembler.h"
#include "ErrorHandling.h"
#include "LittleEndian.h"
#include "ModuleReader.h"
#include "ModuleWriter.h"
#include "Opcodes.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <tuple>

namespace {

std::vector<TUint8> moduleBytes(const std::string& source) {
    return writeModule(assemble(source));
}

const OString kIndex("index.mcb");

// The result of a load: the module index, or the code of the error it raised.
struct LoadOutcome {
    TInt32 index = -1;
    TInt32 errorCode = 0;
};

LoadOutcome tryLoad(ModuleTables& tables, const std::vector<TUint8>& bytes,
                    const OString& name = kIndex) {
    clearLastError();
    try {
        return {ModuleLoader::load(tables, name, bytes), 0};
    } catch (const ErrorHandlingException&) {
        return {-1, lastErrorCode()};
    }
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

// A frame layout's fields in order, to compare whole layouts.
auto fieldsOf(const MethodGCInfo& f) {
    return std::tie(f.argumentSlots, f.argumentReferenceSlots, f.argumentArraySlots,
                    f.argumentArrayHoldsReferences, f.resultSlots, f.localSlots,
                    f.localReferenceSlots, f.localArraySlots, f.localArrayHoldsReferences);
}

const char* const kSmallest = R"(
.frame init
.function "::global::init" start, init
.function "main" start, init
.code
start:
    ret 0, 0
)";

TEST(ModuleLoader, LoadsTheSmallestModuleOfTheWorkedExample) {
    // Built byte by byte as the format describes it, all widths 1.
    std::vector<TUint8> bytes = {20};
    bytes.insert(bytes.end(), 20, 0xAB);
    bytes.insert(bytes.end(), {0xFF, 0xFF, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    // Words of four bytes, then single bytes.
    auto add = [&](std::initializer_list<TUint32> words, std::initializer_list<TUint8> tail) {
        for (const TUint32 word : words)
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<TUint8>(word >> (8 * i)));
        bytes.insert(bytes.end(), tail);
    };
    auto name = [&](const std::string& value) {
        add({static_cast<TUint32>(value.size())}, {});
        bytes.insert(bytes.end(), value.begin(), value.end());
    };
    add({2}, {}); // two functions
    name("::global::init");
    add({}, {0, 0});
    name("main");
    add({}, {0, 0});
    add({0, 0, 0, 1}, {1, 0}); // class methods, globals, classes; one frame layout
    add({0, 0}, {0, 0});
    add({0, 0, 0}, {16, 0, 0, 0, 0, 0, 0, 0, 0}); // ..., string constants; the code

    ModuleTables tables;
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    ASSERT_EQ(tables.methods.size(), 2u);
    EXPECT_EQ(latin1(tables.methods[0].name) + " " + latin1(tables.methods[1].name),
              "::global::init main");
    EXPECT_EQ((std::tuple{tables.methods[1].isClassMethod, tables.methods[1].handle}),
              (std::tuple{0, -1}));
    EXPECT_EQ(entriesOf(tables.methods[1]), (std::vector<Entry>{{-1, 0, 0}}));
    EXPECT_EQ((std::tuple{tables.frameLayouts.size(), tables.code.size()}), (std::tuple{1u, 9u}));
    EXPECT_EQ((std::tuple{tables.modules[0].codeLength, tables.modules[0].moduleId[19]}),
              (std::tuple{9, 0xAB}));

    // The assembler writes the same bytes apart from the identifier.
    std::vector<TUint8> assembled = moduleBytes(kSmallest);
    std::fill(assembled.begin() + 1, assembled.begin() + 21, 0xAB);
    EXPECT_EQ(assembled, bytes);
}

TEST(ModuleLoader, WidthsAreReadUnsignedAndZeroExtended) {
    ModuleTables tables;
    const auto bytes = moduleBytes(R"(
.widths 2 4 1 1 1 2 1 1 1
.frame f
    args 300 | results 2
.function "main" 0xFFFF, 0x12345678
.function "other" 0x1234, 7
)");
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    EXPECT_EQ(entriesOf(tables.methods[0]), (std::vector<Entry>{{-1, 65535, 0x12345678}}));
    EXPECT_EQ(entriesOf(tables.methods[1]), (std::vector<Entry>{{-1, 0x1234, 7}}));
    EXPECT_EQ(
        (std::tuple{tables.frameLayouts[0].argumentSlots, tables.frameLayouts[0].resultSlots}),
        (std::tuple{300, 2}));
}

TEST(ModuleLoader, FillsClassAndFrameLayouts) {
    ModuleTables tables;
    const auto bytes = moduleBytes(R"(
.class Base
    refs 1
.class Derived : Base
    refs 1, 300 | arrays ref 2, value 4
    implements Base
.frame f
    args 3 | results 1 | locals 4
    argrefs 1, 2 | argarrays ref 3
    localrefs 5
    localarrays value 6, ref 8
)");
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    // Module class i becomes machine class i + 1: the class base starts above 0.
    ASSERT_EQ(tables.classReferenceFields.size(), 3u);
    EXPECT_EQ(tables.classReferenceFields[2], (std::vector<TInt32>{1, 300}));
    EXPECT_EQ(tables.classArrayFields[2], (std::vector<TInt32>{2, 4}));
    EXPECT_EQ(tables.classArrayFieldHoldsReferences[2], (std::vector<TUint8>{255, 0}));
    EXPECT_EQ(tables.superclass, (std::vector<TInt32>{-2, -1, 1}));
    const MethodGCInfo expected{3, {1, 2}, {3}, {255}, 1, 4, {5}, {6, 8}, {0, 255}};
    EXPECT_EQ(fieldsOf(tables.frameLayouts[0]), fieldsOf(expected));
}

TEST(ModuleLoader, ClassMethodsWithOneNameMergeIntoOneMethod) {
    ModuleTables tables;
    const auto bytes = moduleBytes(R"(
.class A
.class B
.frame f
.method "<shape>.area"
    impl A 10, f
.method "<shape>.area"
    impl B 20, f
.method "<shape>.name"
    impl B 30, f
.code
    vcall 1
    vcall 2
)");
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    ASSERT_EQ(tables.methods.size(), 2u);
    EXPECT_EQ((std::tuple{tables.methods[0].isClassMethod, tables.maxClassIndex}),
              (std::tuple{1, 2}));
    EXPECT_EQ(entriesOf(tables.methods[0]), (std::vector<Entry>{{1, 10, 0}, {2, 20, 0}}));
    // Record 1 shares record 0's method; record 2 has its own.
    EXPECT_EQ((std::tuple{operand32(tables, 1), operand32(tables, 6)}), (std::tuple{0, 1}));
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
    ASSERT_EQ(tryLoad(tables, moduleBytes(kFirstModule)).index, 0);
    const TInt32 codeBase = static_cast<TInt32>(tables.code.size());
    ASSERT_EQ(codeBase, 9);
    ASSERT_EQ(tables.maxClassIndex, 1);
    ASSERT_EQ(tryLoad(tables, moduleBytes(kSecondModule)).index, 1);
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

TEST(ModuleLoader, AModuleAlreadyLoadedUnderItsNameIsNotReadAgain) {
    ModuleTables tables;
    const auto bytes = moduleBytes(kFirstModule);
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    const std::size_t codeSize = tables.code.size();
    EXPECT_EQ(tryLoad(tables, bytes).index, 0);
    // Only the identifier is read: a damaged rest does not matter.
    EXPECT_EQ(tryLoad(tables, {bytes.begin(), bytes.begin() + 21}).index, 0);
    EXPECT_EQ(tables.code.size(), codeSize);
    EXPECT_EQ(tryLoad(tables, bytes, OString("other.mcb")).index, 1);
    EXPECT_EQ(tables.code.size(), 2 * codeSize);
}

TEST(ModuleLoader, AModuleWithoutCodeLoadsAndItsStringsAreDecodedFromUtf8) {
    ModuleTables tables;
    const auto bytes = moduleBytes(".frame f\n.function \"main\" 0, f\n"
                                   ".string \"a\\u{e9}\\u{20ac}\"\n");
    ASSERT_EQ(tryLoad(tables, bytes).index, 0);
    EXPECT_EQ((std::tuple{tables.modules[0].codeLength, tables.code.size()}), (std::tuple{0, 0u}));
    EXPECT_EQ(tables.stringConstants[0].view(), std::u16string_view(u"a\u00e9\u20ac"));
}

// Offsets into the module kFirstModule assembles to.
std::vector<TUint8> withByte(std::vector<TUint8> bytes, std::size_t at, TUint8 value) {
    bytes.at(at) = value;
    return bytes;
}

TEST(ModuleLoader, RefusesHeaderValuesThatBreakTheFormat) {
    const auto good = moduleBytes(kFirstModule);
    ModuleTables tables;
    EXPECT_EQ(tryLoad(tables, withByte(good, 0, 19)).index, -1);
    EXPECT_EQ(tryLoad(tables, withByte(good, 22, 0xFE)).index, -1);
    EXPECT_EQ(tryLoad(tables, withByte(good, 21, 0x00)).index, -1);
    for (std::size_t width = 23; width < 32; ++width) {
        EXPECT_EQ(tryLoad(tables, withByte(good, width, 3)).index, -1) << width;
        EXPECT_EQ(tryLoad(tables, withByte(good, width, 0)).index, -1) << width;
    }
    // A refused module leaves no trace: not even its module record.
    EXPECT_TRUE(tables.modules.empty());
    EXPECT_TRUE(tables.methods.empty());
    EXPECT_EQ(tryLoad(tables, good).index, 0);
}

TEST(ModuleLoader, RefusesBadIndexWidthsAndArrayFlags) {
    const ModuleImage good = assemble(".class A\n    arrays ref 1\n"
                                      ".frame f\n    localarrays value 1\n    argarrays ref 0\n");
    const std::function<void(ModuleImage&)> damages[] = {
        [](ModuleImage& image) { image.classes[0].fieldIndexWidth = 3; },
        [](ModuleImage& image) { image.classes[0].arrayFields[0].flag = 7; },
        [](ModuleImage& image) { image.frames[0].slotIndexWidth = 0; },
        [](ModuleImage& image) { image.frames[0].localArraySlots[0].flag = 1; },
        [](ModuleImage& image) { image.frames[0].argumentArraySlots[0].flag = 254; },
    };
    ModuleTables tables;
    for (std::size_t which = 0; which < std::size(damages); ++which) {
        ModuleImage damaged = good;
        damages[which](damaged);
        EXPECT_EQ(tryLoad(tables, writeModule(damaged)).index, -1) << "damage " << which;
    }
    EXPECT_TRUE(tables.modules.empty());
    EXPECT_EQ(tryLoad(tables, writeModule(good)).index, 0);
}

TEST(ModuleLoader, RaisesForTruncationBadTextAndUnknownClassMethodRecords) {
    ModuleTables tables;
    const auto good = moduleBytes(kFirstModule);
    EXPECT_EQ(tryLoad(tables, {good.begin(), good.begin() + 15}).errorCode, EVMException);
    EXPECT_EQ(tryLoad(tables, moduleBytes(".code\n    push 1\n    .byte 20, 1, 2\n")).errorCode,
              EVMException);
    EXPECT_EQ(tryLoad(tables, moduleBytes(".string \"\\xc0\\x80\"\n")).errorCode, EDataFormat);
    EXPECT_EQ(tryLoad(tables, moduleBytes(".code\n    vcall 0\n")).errorCode, EInvalidArgument);
    EXPECT_TRUE(tables.modules.empty());
}

// A module that uses every section, so that a cut can fall into each of them.
const char* const kRichModule = R"(
.globals 3
.class A
    refs 1, 2 | arrays ref 3
    implements A
.class B : A
.frame f
    args 2 | results 1 | locals 3
    argrefs 0 | argarrays value 1
    localrefs 4
    localarrays ref 5
.function "main" start, f
.method "<a>.go"
    impl A start, f
    impl B start, f
.string "caf\u{e9}"
.code
start:
    str "caf\u{e9}"
    try A, done
    vcall "<a>.go"
    push64 12
done:
    ret 0, 0
)";

// The code runs to the end of the file, so a cut between two instructions leaves a
// well-formed shorter module; every other cut is refused and leaves no module behind.
TEST(ModuleLoader, APrefixLoadsOnlyWhenItEndsAtAnInstructionBoundaryOfTheCode) {
    const ModuleImage image = ModuleReader::read(moduleBytes(kRichModule));
    const auto bytes = writeModule(image);
    ASSERT_GT(image.codeFileOffset, 100u);
    std::set<std::size_t> boundaries;
    for (std::size_t at = 0; at < image.code.size();
         at += static_cast<std::size_t>(instructionLength(image.code[at])))
        boundaries.insert(image.codeFileOffset + at);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
        ModuleTables tables;
        const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(length);
        const LoadOutcome outcome = tryLoad(tables, {bytes.begin(), end});
        EXPECT_EQ(outcome.index, boundaries.count(length) ? 0 : -1);
        if (outcome.index == 0) continue;
        EXPECT_TRUE(tables.modules.empty());
        if (length >= image.codeFileOffset) {
            EXPECT_EQ(outcome.errorCode, EVMException);
        }
    }
}

} // namespace
