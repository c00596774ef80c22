#include "Assembler.h"

#include "ModuleWriter.h"
#include "NativeGroups.h"
#include "Opcodes.h"
#include "SourceLexer.h"
#include "Syntax.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

namespace {

using Operand = std::vector<Token>; // the tokens between two commas

// A code position and a frame layout, as written; resolved once every label is known.
struct PendingTarget {
    int line = 0;
    Operand code;
    Operand frame;
};

struct PendingClass {
    int line = 0;
    ModuleImage::ClassRecord record;
    std::optional<Operand> superclass;
    std::vector<Operand> interfaces;
    std::optional<TUint8> fieldWidth;
    std::optional<TUint32> superclassFlag;
};

struct PendingFrame {
    int line = 0;
    ModuleImage::FrameLayout frame;
    std::optional<TUint8> slotWidth;
};

struct PendingImplementation {
    Operand classIndex;
    PendingTarget target;
};

struct PendingMethod {
    std::string name;
    std::vector<PendingImplementation> implementations;
};

struct PendingInstruction {
    int line = 0;
    TUint32 offset = 0;
    std::optional<TUint8> opcode; // none: raw bytes from .byte
    std::vector<Operand> operands;
};

class Assembler {
public:
    explicit Assembler(std::vector<SourceLine> someLines) : lines(std::move(someLines)) {}

    ModuleImage run() {
        for (const SourceLine& source : lines) {
            ++line;
            parseLine(source.tokens);
        }
        return resolve();
    }

private:
    [[noreturn]] void fail(const std::string& message) const { failAt(line, message); }
    // Lines are counted from 1 in the order the expander gave them.
    [[noreturn]] void failAt(int where, const std::string& message) const {
        throw AssemblyError(lines[static_cast<std::size_t>(where - 1)].origin, message);
    }

    // ---- first pass: collect records, instructions and labels ----

    void parseLine(std::vector<Token> tokens) {
        if (tokens.empty()) return;
        if (tokens.size() >= 2 && tokens[0].kind == Token::Kind::Name &&
            tokens[1].kind == Token::Kind::Colon && tokens[0].text[0] != '.') {
            defineLabel(tokens[0].text);
            tokens.erase(tokens.begin(), tokens.begin() + 2);
            if (tokens.empty()) return;
        }
        if (tokens[0].kind != Token::Kind::Name) fail("expected a directive or an instruction");
        const std::string word = tokens[0].text;
        const std::vector<Token> rest(tokens.begin() + 1, tokens.end());
        if (word[0] == '.') return directive(word, rest);
        if (block != Block::None) return attribute(word, rest);
        instruction(word, rest);
    }

    void defineLabel(const std::string& name) {
        if (!inCode) fail("label '" + name + "' before .code");
        if (!labels.emplace(name, codeSize).second) fail("label '" + name + "' defined twice");
        block = Block::None;
    }

    static std::vector<Operand> splitOperands(const std::vector<Token>& tokens) {
        std::vector<Operand> operands;
        if (tokens.empty()) return operands;
        operands.emplace_back();
        for (const Token& token : tokens) {
            if (token.kind == Token::Kind::Comma) {
                operands.emplace_back();
            } else {
                operands.back().push_back(token);
            }
        }
        return operands;
    }

    std::vector<Operand> operandsOf(const std::vector<Token>& tokens, std::size_t count,
                                    const std::string& what) const {
        std::vector<Operand> operands = splitOperands(tokens);
        const bool empty = std::any_of(operands.begin(), operands.end(),
                                       [](const Operand& operand) { return operand.empty(); });
        if (operands.size() != count || empty)
            fail(what + " takes " + std::to_string(count) + " operand" + (count == 1 ? "" : "s"));
        return operands;
    }

    std::string textOperand(const std::vector<Token>& tokens, const std::string& what) const {
        if (tokens.size() != 1 || tokens[0].kind != Token::Kind::Text)
            fail(what + " takes a text in double quotes");
        return tokens[0].text;
    }

    std::string nameOperand(const Token& token, const std::string& what) const {
        if (token.kind != Token::Kind::Name || token.text[0] == '.') fail(what + " needs a name");
        return token.text;
    }

    TUint32 count(const std::vector<Token>& tokens, const std::string& what) const {
        const auto operands = operandsOf(tokens, 1, what);
        return static_cast<TUint32>(integer(line, operands[0], 0, 0xFFFFFFFF, what));
    }

    void directive(const std::string& word, const std::vector<Token>& rest) {
        block = Block::None;
        if (word == ".code") {
            if (!rest.empty()) fail(".code takes no operands");
            inCode = true;
        } else if (word == ".byte") {
            rawBytes(rest);
        } else if (word == ".id") {
            identifier(textOperand(rest, ".id"));
        } else if (word == ".widths") {
            headerWidths(rest);
        } else if (word == ".globals") {
            image.globalSlots = count(rest, ".globals");
        } else if (word == ".function") {
            function(rest);
        } else if (word == ".method") {
            methods.push_back({textOperand(rest, ".method"), {}});
            block = Block::Method;
        } else if (word == ".class") {
            classDirective(rest);
        } else if (word == ".frame") {
            if (rest.size() != 1) fail(".frame takes a name");
            declare(frameNames, nameOperand(rest[0], ".frame"), frames.size(), "frame");
            frames.push_back({line, {}, std::nullopt});
            block = Block::Frame;
        } else if (word == ".string") {
            stringDirective(rest);
        } else {
            fail("unknown directive " + word);
        }
    }

    void declare(std::map<std::string, std::size_t>& names, const std::string& name,
                 std::size_t index, const char* kind) const {
        if (!names.emplace(name, index).second)
            fail(std::string(kind) + " '" + name + "' declared twice");
    }

    void identifier(const std::string& hex) {
        if (hex.size() != 2 * kModuleIdLength ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            fail(".id takes 40 hexadecimal digits in quotes");
        for (int i = 0; i < kModuleIdLength; ++i)
            image.moduleId[static_cast<std::size_t>(i)] = static_cast<TUint8>(
                std::stoi(hex.substr(static_cast<std::size_t>(2 * i), 2), nullptr, 16));
    }

    void headerWidths(const std::vector<Token>& rest) {
        if (rest.size() == 1 && rest[0].kind == Token::Kind::Name && rest[0].text == "auto") {
            explicitWidths = false;
            return;
        }
        if (rest.size() != kWidthCount) fail(".widths takes 'auto' or nine widths");
        for (std::size_t i = 0; i < rest.size(); ++i)
            image.widths[i] = width(Operand{rest[i]}, ".widths");
        explicitWidths = true;
        widthsLine = line;
    }

    TUint8 width(const Operand& operand, const std::string& what) const {
        const TInt64 value = integer(line, operand, 1, 4, what);
        if (value == 3) fail(what + " must be 1, 2 or 4");
        return static_cast<TUint8>(value);
    }

    void function(const std::vector<Token>& rest) {
        if (rest.empty() || rest[0].kind != Token::Kind::Text)
            fail(".function takes \"NAME\" CODE, FRAME");
        const auto operands = operandsOf({rest.begin() + 1, rest.end()}, 2, ".function");
        functions.push_back({rest[0].text, {line, operands[0], operands[1]}});
    }

    void classDirective(const std::vector<Token>& rest) {
        if (rest.empty()) fail(".class takes a name");
        declare(classNames, nameOperand(rest[0], ".class"), classes.size(), "class");
        PendingClass pending;
        pending.line = line;
        if (rest.size() > 1) {
            if (rest[1].kind != Token::Kind::Colon || rest.size() < 3)
                fail(".class takes NAME or NAME : SUPERCLASS");
            pending.superclass = Operand(rest.begin() + 2, rest.end());
        }
        classes.push_back(std::move(pending));
        block = Block::Class;
    }

    void stringDirective(const std::vector<Token>& rest) {
        if (rest.size() == 2) {
            declare(stringNames, nameOperand(rest[0], ".string"), image.strings.size(), "string");
            image.strings.push_back({textOperand({rest[1]}, ".string"), {}});
        } else {
            image.strings.push_back({textOperand(rest, ".string"), {}});
        }
    }

    void rawBytes(const std::vector<Token>& rest) {
        if (!inCode) fail(".byte before .code");
        PendingInstruction pending{line, codeSize, std::nullopt, splitOperands(rest)};
        if (pending.operands.empty()) fail(".byte takes at least one byte");
        codeSize += static_cast<TUint32>(pending.operands.size());
        instructions.push_back(std::move(pending));
    }

    void attribute(const std::string& word, const std::vector<Token>& rest) {
        switch (block) {
        case Block::Class: return classAttribute(word, rest);
        case Block::Frame: return frameAttribute(word, rest);
        case Block::Method: return methodAttribute(word, rest);
        case Block::None: break;
        }
    }

    std::vector<TUint32> indexList(const std::vector<Token>& rest, const std::string& what) const {
        std::vector<TUint32> list;
        for (const Operand& operand : operandsOf(rest, splitOperands(rest).size(), what))
            list.push_back(static_cast<TUint32>(integer(line, operand, 0, 0xFFFFFFFF, what)));
        return list;
    }

    std::vector<ModuleImage::ArrayIndex> arrayList(const std::vector<Token>& rest,
                                                   const std::string& what) const {
        std::vector<ModuleImage::ArrayIndex> list;
        for (const Operand& operand : operandsOf(rest, splitOperands(rest).size(), what)) {
            if (operand.size() != 2 || operand[0].kind != Token::Kind::Name ||
                (operand[0].text != "ref" && operand[0].text != "value"))
                fail(what + " takes entries written 'ref N' or 'value N'");
            const TUint8 flag = operand[0].text == "ref" ? kArrayOfReferences : kArrayOfValues;
            list.push_back(
                {flag, static_cast<TUint32>(integer(line, {operand[1]}, 0, 0xFFFFFFFF, what))});
        }
        return list;
    }

    void classAttribute(const std::string& word, const std::vector<Token>& rest) {
        PendingClass& pending = classes.back();
        if (word == "refs") {
            pending.record.referenceFields = indexList(rest, word);
        } else if (word == "arrays") {
            pending.record.arrayFields = arrayList(rest, word);
        } else if (word == "implements") {
            pending.interfaces = operandsOf(rest, splitOperands(rest).size(), word);
        } else if (word == "fieldwidth") {
            pending.fieldWidth = width(operandsOf(rest, 1, word)[0], word);
        } else if (word == "superflag") {
            pending.superclassFlag = count(rest, word);
        } else {
            fail("unknown class line '" + word + "'");
        }
    }

    void frameAttribute(const std::string& word, const std::vector<Token>& rest) {
        PendingFrame& pending = frames.back();
        ModuleImage::FrameLayout& frame = pending.frame;
        if (word == "args") {
            frame.argumentSlots = count(rest, word);
        } else if (word == "results") {
            frame.resultSlots = count(rest, word);
        } else if (word == "locals") {
            frame.localSlots = count(rest, word);
        } else if (word == "argrefs") {
            frame.argumentReferenceSlots = indexList(rest, word);
        } else if (word == "argarrays") {
            frame.argumentArraySlots = arrayList(rest, word);
        } else if (word == "localrefs") {
            frame.localReferenceSlots = indexList(rest, word);
        } else if (word == "localarrays") {
            frame.localArraySlots = arrayList(rest, word);
        } else if (word == "slotwidth") {
            pending.slotWidth = width(operandsOf(rest, 1, word)[0], word);
        } else {
            fail("unknown frame line '" + word + "'");
        }
    }

    void methodAttribute(const std::string& word, const std::vector<Token>& rest) {
        if (word != "impl") fail("unknown method line '" + word + "'");
        if (rest.size() < 2) fail("impl takes CLASS CODE, FRAME");
        const auto operands = operandsOf({rest.begin() + 1, rest.end()}, 2, "impl");
        methods.back().implementations.push_back({{rest[0]}, {line, operands[0], operands[1]}});
    }

    void instruction(const std::string& word, const std::vector<Token>& rest) {
        const std::optional<TUint8> opcode = opcodeNamed(word);
        if (!opcode) fail("unknown instruction '" + word + "'");
        if (!inCode) fail("instructions must follow .code");
        const OpcodeInfo& info = opcodeInfo(*opcode);
        auto operands = operandsOf(rest, info.operandCount, word);
        instructions.push_back({line, codeSize, *opcode, std::move(operands)});
        codeSize += static_cast<TUint32>(instructionLength(*opcode));
    }

    // ---- second pass: resolve names and encode ----

    static std::optional<TInt64> numberIn(const Operand& operand) {
        if (operand.size() != 1 || operand[0].kind != Token::Kind::Number) return std::nullopt;
        const Token& token = operand[0];
        if (token.magnitude > (TUint64{1} << 63)) return std::nullopt;
        if (token.magnitude == (TUint64{1} << 63))
            return token.negative ? std::optional<TInt64>(INT64_MIN) : std::nullopt;
        const auto value = static_cast<TInt64>(token.magnitude);
        return token.negative ? -value : value;
    }

    TInt64 integer(int where, const Operand& operand, TInt64 min, TInt64 max,
                   const std::string& what) const {
        const auto value = numberIn(operand);
        if (!value)
            failAt(where, what + " needs a number, not " +
                              (operand.empty() ? std::string("nothing") : describe(operand[0])));
        if (*value < min || *value > max)
            failAt(where, what + ": " + std::to_string(*value) + " is outside " +
                              std::to_string(min) + ".." + std::to_string(max));
        return *value;
    }

    // A 32-bit operand: a signed or an unsigned number.
    TUint32 word32(int where, const Operand& operand, const std::string& what) const {
        return static_cast<TUint32>(integer(where, operand, -2147483648LL, 0xFFFFFFFFLL, what));
    }

    static std::optional<std::size_t> named(const std::map<std::string, std::size_t>& names,
                                            const Operand& operand) {
        if (operand.size() != 1 || operand[0].kind != Token::Kind::Name) return std::nullopt;
        const auto found = names.find(operand[0].text);
        if (found == names.end()) return std::nullopt;
        return found->second;
    }

    TUint32 namedOrNumber(int where, const std::map<std::string, std::size_t>& names,
                          const Operand& operand, const std::string& what) const {
        if (const auto index = named(names, operand)) return static_cast<TUint32>(*index);
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Name)
            failAt(where, "unknown " + what + " '" + operand[0].text + "'");
        return word32(where, operand, what);
    }

    TUint32 codeOffset(int where, const Operand& operand) const {
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Name) {
            const auto found = labels.find(operand[0].text);
            if (found == labels.end()) failAt(where, "unknown label '" + operand[0].text + "'");
            return found->second;
        }
        return word32(where, operand, "a code position");
    }

    TUint32 classIndex(int where, const Operand& operand) const {
        return namedOrNumber(where, classNames, operand, "class");
    }

    TUint32 frameIndex(int where, const Operand& operand) const {
        return namedOrNumber(where, frameNames, operand, "frame");
    }

    TUint32 stringIndex(int where, const Operand& operand) {
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Text) {
            const auto& strings = image.strings;
            const auto found =
                std::find_if(strings.begin(), strings.end(), [&](const auto& constant) {
                    return constant.utf8 == operand[0].text;
                });
            if (found != strings.end()) return static_cast<TUint32>(found - strings.begin());
            image.strings.push_back({operand[0].text, {}});
            return static_cast<TUint32>(image.strings.size() - 1);
        }
        return namedOrNumber(where, stringNames, operand, "string");
    }

    TUint32 classMethodRecord(int where, const Operand& operand) const {
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Text) {
            for (std::size_t i = 0; i < methods.size(); ++i)
                if (methods[i].name == operand[0].text) return static_cast<TUint32>(i);
            failAt(where, "no .method " + quoteText(operand[0].text));
        }
        return word32(where, operand, "a class method record");
    }

    TUint32 handlerClass(int where, const Operand& operand) const {
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Star) return 0xFFFFFFFF;
        return classIndex(where, operand);
    }

    // A branch or handler operand: a label (the offset is computed from origin) or the
    // raw offset, signed or unsigned, of a field of `bytes` bytes.
    TUint32 relativeOffset(const PendingInstruction& at, const Operand& operand, TInt64 origin,
                           int bytes) const {
        const TInt64 min = -(TInt64{1} << (8 * bytes - 1));
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Name) {
            const TInt64 offset = TInt64{codeOffset(at.line, operand)} - origin;
            if (offset < min || offset >= -min)
                failAt(at.line, "label '" + operand[0].text + "' is too far for " +
                                    opcodeInfo(*at.opcode).mnemonic + " (use the .w form)");
            return static_cast<TUint32>(offset);
        }
        return static_cast<TUint32>(integer(at.line, operand, min, -2 * min - 1, "an offset"));
    }

    TInt64 namedByte(int where, const Operand& operand, std::optional<TInt32> name,
                     const std::string& what) const {
        if (name) return *name;
        if (operand.size() == 1 && operand[0].kind == Token::Kind::Name)
            failAt(where, "unknown " + what + " '" + operand[0].text + "'");
        return integer(where, operand, -128, 255, what);
    }

    TInt64 nativeGroup(int where, const Operand& operand) const {
        return namedByte(where, operand, nameLookup(operand, nativeGroupNamed), "native group");
    }

    // A function number, or the name of a function of the group.
    TInt64 nativeFunction(int where, const Operand& group, const Operand& operand) const {
        if (operand.size() != 1 || operand[0].kind != Token::Kind::Name)
            return integer(where, operand, -128, 255, "a native function");
        const auto groupNumber = static_cast<TInt32>(nativeGroup(where, group));
        const NativeFunction* function = findNativeNamed(groupNumber, operand[0].text);
        if (!function) {
            const char* groupName = nativeGroupInfo(groupNumber).name;
            failAt(where, "unknown function '" + operand[0].text + "' of native group " +
                              (groupName ? groupName : std::to_string(groupNumber)));
        }
        return function->number;
    }

    static std::optional<TInt32> nameLookup(const Operand& operand,
                                            std::optional<TInt32> (*lookup)(const std::string&)) {
        if (operand.size() != 1 || operand[0].kind != Token::Kind::Name) return std::nullopt;
        return lookup(operand[0].text);
    }

    TUint64 value64(int where, const Operand& operand) const {
        if (operand.size() == 1 &&
            (operand[0].kind == Token::Kind::Number || operand[0].kind == Token::Kind::Fixed)) {
            const Token& token = operand[0];
            if (token.negative && token.magnitude > (TUint64{1} << 63))
                failAt(where, "push64: value below -2^63");
            return token.negative ? ~token.magnitude + 1 : token.magnitude;
        }
        failAt(where, "push64 needs a number");
    }

    void emit(TUint64 value, int width) {
        for (int i = 0; i < width; ++i)
            image.code.push_back(static_cast<TUint8>(value >> (8 * i)));
    }

    void encode(const PendingInstruction& at) {
        if (!at.opcode) {
            for (const Operand& operand : at.operands)
                emit(static_cast<TUint64>(integer(at.line, operand, -128, 255, ".byte")), 1);
            return;
        }
        const OpcodeInfo& info = opcodeInfo(*at.opcode);
        image.code.push_back(*at.opcode);
        for (int i = 0; i < info.operandCount; ++i) {
            const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
            emit(operandValue(at, kind, at.operands[static_cast<std::size_t>(i)]),
                 operandWidth(kind));
        }
    }

    TUint64 operandValue(const PendingInstruction& at, OperandKind kind, const Operand& operand) {
        const int where = at.line;
        switch (kind) {
        case OperandKind::Int8:
            return static_cast<TUint64>(integer(where, operand, -128, 255, "a byte"));
        case OperandKind::Int32:
        case OperandKind::Uint32: return word32(where, operand, "a 32-bit operand");
        case OperandKind::Branch16:
            return relativeOffset(at, operand, branchTarget(at.offset, *at.opcode, 0), 2);
        case OperandKind::Branch32:
            return relativeOffset(at, operand, branchTarget(at.offset, *at.opcode, 0), 4);
        case OperandKind::HandlerOffset:
            return relativeOffset(at, operand, handlerResumePosition(at.offset, 0), 4);
        case OperandKind::CodeOffset: return codeOffset(where, operand);
        case OperandKind::FrameIndex: return frameIndex(where, operand);
        case OperandKind::ClassMethod: return classMethodRecord(where, operand);
        case OperandKind::StringIndex: return stringIndex(where, operand);
        case OperandKind::ClassIndex: return classIndex(where, operand);
        case OperandKind::HandlerClass: return handlerClass(where, operand);
        case OperandKind::GcCode:
            return static_cast<TUint64>(
                namedByte(where, operand, nameLookup(operand, gcCodeNamed), "GC code"));
        case OperandKind::NativeGroup: return static_cast<TUint64>(nativeGroup(where, operand));
        case OperandKind::NativeFunction:
            return static_cast<TUint64>(nativeFunction(where, at.operands[0], operand));
        case OperandKind::Int64: return value64(where, operand);
        }
        return 0;
    }

    void resolveRecords() {
        for (const auto& [name, target] : functions)
            image.globalFunctions.push_back({name, codeOffset(target.line, target.code),
                                             frameIndex(target.line, target.frame)});
        for (const PendingMethod& pending : methods) {
            ModuleImage::ClassMethod method{pending.name, {}};
            for (const auto& [classOperand, target] : pending.implementations)
                method.implementations.push_back({classIndex(target.line, classOperand),
                                                  codeOffset(target.line, target.code),
                                                  frameIndex(target.line, target.frame)});
            image.classMethods.push_back(std::move(method));
        }
        for (PendingClass& pending : classes) {
            ModuleImage::ClassRecord& record = pending.record;
            if (pending.superclass) {
                record.superclass = classIndex(pending.line, *pending.superclass);
                record.superclassFlag = pending.superclassFlag.value_or(1);
            } else if (pending.superclassFlag.value_or(0) != 0) {
                failAt(pending.line, "superflag needs a superclass");
            }
            for (const Operand& interface : pending.interfaces)
                record.interfaces.push_back(classIndex(pending.line, interface));
            record.fieldIndexWidth = pending.fieldWidth.value_or(defaultFieldWidth(record));
            image.classes.push_back(record);
        }
        for (PendingFrame& pending : frames) {
            pending.frame.slotIndexWidth =
                pending.slotWidth.value_or(defaultSlotWidth(pending.frame));
            image.frames.push_back(pending.frame);
        }
    }

    // The largest value each header width must hold.
    std::array<TUint32, kWidthCount> headerMaxima() const {
        std::array<TUint32, kWidthCount> top{};
        auto raise = [&](WidthEntry entry, TUint32 value) {
            top[entry] = std::max(top[entry], value);
        };
        for (const auto& function : image.globalFunctions) {
            raise(EWidthCodeOffset, function.codeOffset);
            raise(EWidthMethodIndex, function.methodIndex);
        }
        for (const auto& method : image.classMethods) {
            raise(EWidthImplementationCount, static_cast<TUint32>(method.implementations.size()));
            for (const auto& implementation : method.implementations) {
                raise(EWidthClassIndex, implementation.classIndex);
                raise(EWidthCodeOffset, implementation.codeOffset);
                raise(EWidthMethodIndex, implementation.methodIndex);
            }
        }
        for (const auto& record : image.classes) {
            raise(EWidthSuperclassFlag, record.superclassFlag);
            if (record.superclassFlag != 0) raise(EWidthClassIndex, record.superclass);
            raise(EWidthInterfaceCount, static_cast<TUint32>(record.interfaces.size()));
            for (TUint32 interface : record.interfaces)
                raise(EWidthClassIndex, interface);
        }
        for (const auto& frame : image.frames) {
            raise(EWidthArgumentSlots, frame.argumentSlots);
            raise(EWidthResultSlots, frame.resultSlots);
            raise(EWidthLocalSlots, frame.localSlots);
        }
        return top;
    }

    void chooseWidths() {
        const auto maxima = headerMaxima();
        for (int i = 0; i < kWidthCount; ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (!explicitWidths) {
                image.widths[index] = static_cast<TUint8>(widthFor(maxima[index]));
            } else if (!fitsWidth(maxima[index], image.widths[index])) {
                failAt(widthsLine, "width " + std::to_string(i) + " is " +
                                       std::to_string(image.widths[index]) +
                                       " bytes, too small for " + std::to_string(maxima[index]));
            }
        }
    }

    void checkIndexWidths() const {
        for (std::size_t i = 0; i < image.classes.size(); ++i) {
            const auto& record = image.classes[i];
            if (defaultFieldWidth(record) > record.fieldIndexWidth)
                failAt(classes[i].line, "fieldwidth too small for the class's field indices");
        }
        for (std::size_t i = 0; i < image.frames.size(); ++i) {
            const auto& frame = image.frames[i];
            if (defaultSlotWidth(frame) > frame.slotIndexWidth)
                failAt(frames[i].line, "slotwidth too small for the frame's slot indices");
        }
    }

    ModuleImage resolve() {
        resolveRecords();
        for (const PendingInstruction& pending : instructions)
            encode(pending);
        chooseWidths();
        checkIndexWidths();
        return std::move(image);
    }

    enum class Block { None, Class, Frame, Method };

    std::vector<SourceLine> lines;
    int line = 0;
    Block block = Block::None;
    bool inCode = false;
    bool explicitWidths = false;
    int widthsLine = 0;
    TUint32 codeSize = 0;
    ModuleImage image;
    std::vector<std::pair<std::string, PendingTarget>> functions;
    std::vector<PendingMethod> methods;
    std::vector<PendingClass> classes;
    std::vector<PendingFrame> frames;
    std::vector<PendingInstruction> instructions;
    std::map<std::string, TUint32> labels;
    std::map<std::string, std::size_t> classNames;
    std::map<std::string, std::size_t> frameNames;
    std::map<std::string, std::size_t> stringNames;
};

} // namespace

ModuleImage assemble(const std::string& source, const std::string& name) {
    return Assembler(expandText(source, name)).run();
}

ModuleImage assembleFile(const std::string& path) {
    return Assembler(expandFile(path)).run();
}
