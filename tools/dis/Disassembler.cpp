#include "Disassembler.h"

#include "GcCodes.h"
#include "LittleEndian.h"
#include "NativeGroups.h"
#include "Opcodes.h"
#include "Syntax.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace {

// A readable label from a method signature: "<application>.draw to<canvas>" becomes
// "application_draw_to_canvas".
std::string labelFrom(const std::string& signature) {
    std::string name;
    for (unsigned char c : signature) {
        if (std::isalnum(c) || c == '_') {
            name += static_cast<char>(c);
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) name = "m_" + name;
    return name;
}

// Hands out names that are unique within one namespace.
class NamePool {
public:
    std::string take(const std::string& wanted) {
        std::string name = wanted;
        for (int suffix = 2; !used.insert(name).second; ++suffix)
            name = wanted + "_" + std::to_string(suffix);
        return name;
    }

private:
    std::set<std::string> used;
};

class Disassembler {
public:
    explicit Disassembler(const ModuleImage& anImage) : image(anImage) {}

    std::string run() {
        findInstructionStarts();
        nameClasses();
        nameFrames();
        nameLabels();
        writeHeader();
        writeClasses();
        writeFrames();
        writeMethods();
        writeStrings();
        writeCode();
        return out.str();
    }

private:
    void findInstructionStarts() {
        for (std::size_t at = 0; at < image.code.size();
             at += static_cast<std::size_t>(instructionLength(image.code[at])))
            starts.insert(static_cast<TUint32>(at));
        starts.insert(static_cast<TUint32>(image.code.size()));
    }

    bool isStart(TInt64 offset) const {
        return offset >= 0 && offset <= TInt64{0xFFFFFFFF} &&
               starts.count(static_cast<TUint32>(offset));
    }

    void nameClasses() {
        for (std::size_t i = 0; i < image.classes.size(); ++i)
            classNames.push_back("class" + std::to_string(i));
    }

    void nameFrames() {
        std::map<TUint32, std::string> wanted;
        for (const auto& function : image.globalFunctions)
            wanted.emplace(function.methodIndex, labelFrom(function.name));
        for (const auto& method : image.classMethods)
            for (const auto& implementation : method.implementations)
                wanted.emplace(implementation.methodIndex,
                               labelFrom(method.name) + "_" + className(implementation.classIndex));
        NamePool pool;
        for (TUint32 i = 0; i < image.frames.size(); ++i) {
            const auto found = wanted.find(i);
            frameNames.push_back(
                pool.take(found != wanted.end() ? found->second : "frame" + std::to_string(i)));
        }
    }

    void addLabel(TInt64 offset, const std::string& wanted) {
        if (isStart(offset) && !labels.count(static_cast<TUint32>(offset)))
            labels[static_cast<TUint32>(offset)] = labelPool.take(wanted);
    }

    void nameLabels() {
        for (const auto& function : image.globalFunctions)
            addLabel(function.codeOffset, labelFrom(function.name));
        for (const auto& method : image.classMethods)
            for (const auto& implementation : method.implementations)
                addLabel(implementation.codeOffset,
                         labelFrom(method.name) + "_" + className(implementation.classIndex));
        for (TUint32 at : starts) {
            if (at == image.code.size()) continue;
            for (TInt64 target : jumpTargets(at))
                addLabel(target, "L" + std::to_string(target));
        }
    }

    // Code positions the instruction at `at` refers to.
    std::vector<TInt64> jumpTargets(TUint32 at) const {
        std::vector<TInt64> targets;
        const TUint8 opcode = image.code[at];
        const OpcodeInfo& info = opcodeInfo(opcode);
        std::size_t operand = at + 1;
        for (int i = 0; i < info.operandCount; ++i) {
            const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
            const TInt32 value = signedValue(operand, kind);
            if (kind == OperandKind::Branch16 || kind == OperandKind::Branch32)
                targets.push_back(branchTarget(at, opcode, value));
            if (kind == OperandKind::HandlerOffset)
                targets.push_back(handlerResumePosition(at, value));
            if (kind == OperandKind::CodeOffset) targets.push_back(static_cast<TUint32>(value));
            operand += static_cast<std::size_t>(operandWidth(kind));
        }
        return targets;
    }

    // An operand of up to four bytes, sign-extended from its width.
    TInt32 signedValue(std::size_t at, OperandKind kind) const {
        switch (operandWidth(kind)) {
        case 1: return static_cast<TInt8>(image.code[at]);
        case 2: return static_cast<TInt16>(readLittleEndian16(&image.code[at]));
        default: return static_cast<TInt32>(readLittleEndian32(&image.code[at]));
        }
    }

    std::string className(TUint32 index) const {
        return index < classNames.size() ? classNames[index]
                                         : std::to_string(static_cast<TInt32>(index));
    }

    std::string frameName(TUint32 index) const {
        return index < frameNames.size() ? frameNames[index]
                                         : std::to_string(static_cast<TInt32>(index));
    }

    std::string codeName(TInt64 offset) const {
        if (isStart(offset)) {
            const auto found = labels.find(static_cast<TUint32>(offset));
            if (found != labels.end()) return found->second;
        }
        return std::to_string(offset);
    }

    static std::string joined(const std::vector<TUint32>& values) {
        std::string text;
        for (TUint32 value : values)
            text += (text.empty() ? "" : ", ") + std::to_string(value);
        return text;
    }

    static std::string joined(const std::vector<ModuleImage::ArrayIndex>& arrays) {
        std::string text;
        for (const auto& array : arrays)
            text += std::string(text.empty() ? "" : ", ") +
                    (array.flag == kArrayOfReferences ? "ref " : "value ") +
                    std::to_string(array.index);
        return text;
    }

    void line(const std::string& key, const std::string& values) {
        if (!values.empty()) out << "    " << key << ' ' << values << '\n';
    }
    void count(const std::string& key, TUint32 value) {
        if (value != 0) line(key, std::to_string(value));
    }

    void writeHeader() {
        out << "; disassembled by kestro-dis\n.id \"";
        for (TUint8 byte : image.moduleId) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", byte);
            out << hex;
        }
        out << "\"\n.widths";
        for (TUint8 width : image.widths)
            out << ' ' << int{width};
        out << '\n';
        if (image.globalSlots != 0) out << ".globals " << image.globalSlots << '\n';
    }

    void writeClasses() {
        for (std::size_t i = 0; i < image.classes.size(); ++i) {
            const auto& record = image.classes[i];
            out << "\n.class " << classNames[i];
            if (record.superclassFlag != 0) out << " : " << className(record.superclass);
            out << '\n';
            line("refs", joined(record.referenceFields));
            line("arrays", joined(record.arrayFields));
            std::string interfaces;
            for (TUint32 interface : record.interfaces)
                interfaces += (interfaces.empty() ? "" : ", ") + className(interface);
            line("implements", interfaces);
            if (record.fieldIndexWidth != defaultFieldWidth(record))
                count("fieldwidth", record.fieldIndexWidth);
            if (record.superclassFlag > 1) count("superflag", record.superclassFlag);
        }
    }

    void writeFrames() {
        for (std::size_t i = 0; i < image.frames.size(); ++i) {
            const auto& frame = image.frames[i];
            out << "\n.frame " << frameNames[i] << '\n';
            count("args", frame.argumentSlots);
            count("results", frame.resultSlots);
            count("locals", frame.localSlots);
            line("argrefs", joined(frame.argumentReferenceSlots));
            line("argarrays", joined(frame.argumentArraySlots));
            line("localrefs", joined(frame.localReferenceSlots));
            line("localarrays", joined(frame.localArraySlots));
            if (frame.slotIndexWidth != defaultSlotWidth(frame))
                count("slotwidth", frame.slotIndexWidth);
        }
    }

    void writeMethods() {
        if (!image.globalFunctions.empty()) out << '\n';
        for (const auto& function : image.globalFunctions)
            out << ".function " << quoteText(function.name) << ' ' << codeName(function.codeOffset)
                << ", " << frameName(function.methodIndex) << '\n';
        for (const auto& method : image.classMethods) {
            out << "\n.method " << quoteText(method.name) << '\n';
            for (const auto& implementation : method.implementations)
                out << "    impl " << className(implementation.classIndex) << ' '
                    << codeName(implementation.codeOffset) << ", "
                    << frameName(implementation.methodIndex) << '\n';
        }
    }

    void writeStrings() {
        if (!image.strings.empty()) out << '\n';
        for (const auto& constant : image.strings)
            out << ".string " << quoteText(constant.utf8) << '\n';
    }

    // A text stands for the first record with that text, so later duplicates print as numbers.
    template <class Records, class TextOf>
    static std::string firstByText(const Records& records, TUint32 index, TextOf textOf) {
        if (index >= records.size()) return std::to_string(static_cast<TInt32>(index));
        for (TUint32 i = 0; i < index; ++i)
            if (textOf(records[i]) == textOf(records[index])) return std::to_string(index);
        return quoteText(textOf(records[index]));
    }

    std::string operandText(TUint32 at, std::size_t operand, OperandKind kind) const {
        const TInt32 value = signedValue(operand, kind);
        const auto raw = static_cast<TUint32>(value);
        const TUint8 opcode = image.code[at];
        switch (kind) {
        case OperandKind::Branch16:
        case OperandKind::Branch32:
            return isStart(branchTarget(at, opcode, value))
                       ? codeName(branchTarget(at, opcode, value))
                       : std::to_string(value);
        case OperandKind::HandlerOffset:
            return isStart(handlerResumePosition(at, value))
                       ? codeName(handlerResumePosition(at, value))
                       : std::to_string(value);
        case OperandKind::CodeOffset: return codeName(raw);
        case OperandKind::FrameIndex: return frameName(raw);
        case OperandKind::ClassIndex: return className(raw);
        case OperandKind::HandlerClass: return value == -1 ? "*" : className(raw);
        case OperandKind::ClassMethod:
            return firstByText(image.classMethods, raw,
                               [](const auto& method) { return method.name; });
        case OperandKind::StringIndex:
            return firstByText(image.strings, raw,
                               [](const auto& constant) { return constant.utf8; });
        case OperandKind::GcCode:
            return gcCodeName(value) ? gcCodeName(value) : std::to_string(value);
        case OperandKind::NativeGroup:
            return nativeGroupInfo(value).name ? nativeGroupInfo(value).name
                                               : std::to_string(value);
        case OperandKind::Int64: {
            const TUint64 low = readLittleEndian32(&image.code[operand]);
            const TUint64 high = readLittleEndian32(&image.code[operand + 4]);
            return std::to_string(static_cast<TInt64>(high << 32 | low));
        }
        default: return std::to_string(value);
        }
    }

    std::string instructionText(TUint32 at) const {
        const TUint8 opcode = image.code[at];
        const OpcodeInfo& info = opcodeInfo(opcode);
        if (!info.isValid()) return ".byte " + std::to_string(opcode);
        std::string text = info.mnemonic;
        std::size_t operand = at + 1;
        for (int i = 0; i < info.operandCount; ++i) {
            const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
            text += (i == 0 ? " " : ", ") + operandText(at, operand, kind);
            operand += static_cast<std::size_t>(operandWidth(kind));
        }
        return text;
    }

    // The name of the native function that the native call at `at` calls, or "".
    std::string nativeFunctionName(TUint32 at) const {
        if (image.code[at] != static_cast<TUint8>(Opcode::Native)) return "";
        const auto group = static_cast<TInt8>(image.code[at + 1]);
        const NativeFunction* function = findNative(group, static_cast<TInt8>(image.code[at + 2]));
        return function ? function->name : "";
    }

    void writeCode() {
        out << "\n.code\n";
        for (TUint32 at : starts) {
            const auto label = labels.find(at);
            if (label != labels.end()) out << label->second << ":\n";
            if (at == image.code.size()) break;
            std::string text = "    " + instructionText(at);
            text.resize(std::max<std::size_t>(text.size() + 1, 40), ' ');
            const std::string name = nativeFunctionName(at);
            out << text << "; " << (name.empty() ? "" : name + " ") << '@' << at << '\n';
        }
    }

    const ModuleImage& image;
    std::set<TUint32> starts;
    std::vector<std::string> classNames;
    std::vector<std::string> frameNames;
    std::map<TUint32, std::string> labels;
    NamePool labelPool;
    std::ostringstream out;
};

} // namespace

std::string disassemble(const ModuleImage& image) {
    return Disassembler(image).run();
}
