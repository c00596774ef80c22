#include "ModuleReader.h"

#include "ErrorHandling.h"
#include "LittleEndian.h"
#include "Opcodes.h"

#include <cstring>

namespace {
std::string number(std::size_t value) {
    return std::to_string(value);
}
} // namespace

void ModuleReader::fail(ModuleFormatError::Kind kind, std::size_t at,
                        const std::string& why) const {
    throw ModuleFormatError(kind, at, why);
}

void ModuleReader::need(std::size_t count, const char* what) const {
    const std::size_t remaining = file.size() - position;
    if (count > remaining) {
        fail(ModuleFormatError::Kind::Truncated, position,
             std::string("the file ends inside ") + what + " (" + number(count) +
                 " bytes needed, " + number(remaining) + " left)");
    }
}

TUint8 ModuleReader::byte(const char* what) {
    need(1, what);
    return file[position++];
}

TUint32 ModuleReader::sized(int width, const char* what) {
    need(static_cast<std::size_t>(width), what);
    TUint32 value = 0;
    for (int i = 0; i < width; ++i)
        value |= static_cast<TUint32>(file[position + i]) << (8 * i);
    position += static_cast<std::size_t>(width);
    return value;
}

TUint32 ModuleReader::u32(const char* what) {
    return sized(4, what);
}

TUint8 ModuleReader::indexWidth(const char* what) {
    const std::size_t at = position;
    const TUint8 width = byte(what);
    if (width != 1 && width != 2 && width != 4) {
        fail(ModuleFormatError::Kind::Malformed, at,
             std::string(what) + " is " + number(width) + ", must be 1, 2 or 4");
    }
    return width;
}

TUint8 ModuleReader::arrayFlag(const char* what) {
    const std::size_t at = position;
    const TUint8 flag = byte(what);
    if (flag != kArrayOfValues && flag != kArrayOfReferences) {
        fail(ModuleFormatError::Kind::Malformed, at,
             std::string(what) + " is " + number(flag) + ", must be 0 or 255");
    }
    return flag;
}

std::string ModuleReader::string(const char* what) {
    const TUint32 length = u32(what);
    need(length, what);
    std::string text(reinterpret_cast<const char*>(file.data() + position), length);
    position += length;
    return text;
}

std::vector<TUint32> ModuleReader::indexList(int width, const char* what) {
    std::vector<TUint32> list;
    for (TUint32 count = u32(what); count > 0; --count)
        list.push_back(sized(width, what));
    return list;
}

std::vector<ModuleImage::ArrayIndex> ModuleReader::arrayList(int width, const char* what) {
    std::vector<ModuleImage::ArrayIndex> list;
    for (TUint32 count = u32(what); count > 0; --count) {
        ModuleImage::ArrayIndex entry;
        entry.flag = arrayFlag("an array flag");
        entry.index = sized(width, what);
        list.push_back(entry);
    }
    return list;
}

std::array<TUint8, kModuleIdLength> ModuleReader::readIdentifier() {
    const TUint8 length = byte("the identifier length");
    if (length != kModuleIdLength) {
        fail(ModuleFormatError::Kind::Malformed, 0,
             "identifier length is " + number(length) + ", must be 20");
    }
    need(kModuleIdLength, "the module identifier");
    std::array<TUint8, kModuleIdLength> identifier;
    std::memcpy(identifier.data(), file.data() + position, kModuleIdLength);
    position += kModuleIdLength;
    return identifier;
}

void ModuleReader::readHeaderWidths() {
    for (int i = 0; i < 2; ++i) {
        const std::size_t at = position;
        const TUint8 marker = byte("the header markers");
        if (marker != kModuleMarker) {
            fail(ModuleFormatError::Kind::Malformed, at,
                 "header marker is " + number(marker) + ", must be 255");
        }
    }
    for (TUint8& width : widths)
        width = indexWidth("a header width");
}

void ModuleReader::readGlobalFunctions(ModuleImage& image) {
    for (TUint32 count = u32("the global function count"); count > 0; --count) {
        ModuleImage::GlobalFunction function;
        function.name = string("a global function name");
        function.codeOffset = field(EWidthCodeOffset, "a global function's code offset");
        function.methodIndex = field(EWidthMethodIndex, "a global function's method index");
        image.globalFunctions.push_back(std::move(function));
    }
}

void ModuleReader::readClassMethods(ModuleImage& image) {
    for (TUint32 count = u32("the class method count"); count > 0; --count) {
        ModuleImage::ClassMethod method;
        method.name = string("a class method name");
        TUint32 implementations = field(EWidthImplementationCount, "an implementation count");
        for (; implementations > 0; --implementations) {
            ModuleImage::Implementation implementation;
            implementation.classIndex = field(EWidthClassIndex, "an implementation's class");
            implementation.codeOffset = field(EWidthCodeOffset, "an implementation's code offset");
            implementation.methodIndex =
                field(EWidthMethodIndex, "an implementation's method index");
            method.implementations.push_back(implementation);
        }
        image.classMethods.push_back(std::move(method));
    }
}

void ModuleReader::readClasses(ModuleImage& image) {
    for (TUint32 count = u32("the class count"); count > 0; --count) {
        ModuleImage::ClassRecord record;
        record.fieldIndexWidth = indexWidth("a class's field index width");
        record.referenceFields = indexList(record.fieldIndexWidth, "a class's reference fields");
        record.arrayFields = arrayList(record.fieldIndexWidth, "a class's array fields");
        record.superclassFlag = field(EWidthSuperclassFlag, "a superclass flag");
        if (record.superclassFlag != 0) record.superclass = field(EWidthClassIndex, "a superclass");
        TUint32 interfaces = field(EWidthInterfaceCount, "an interface count");
        for (; interfaces > 0; --interfaces)
            record.interfaces.push_back(field(EWidthClassIndex, "an interface"));
        image.classes.push_back(std::move(record));
    }
}

void ModuleReader::readFrames(ModuleImage& image) {
    for (TUint32 count = u32("the method count"); count > 0; --count) {
        ModuleImage::FrameLayout frame;
        frame.slotIndexWidth = indexWidth("a method's slot index width");
        const int width = frame.slotIndexWidth;
        frame.argumentSlots = field(EWidthArgumentSlots, "a method's argument slot count");
        frame.argumentReferenceSlots = indexList(width, "a method's argument reference slots");
        frame.argumentArraySlots = arrayList(width, "a method's argument array slots");
        frame.resultSlots = field(EWidthResultSlots, "a method's result slot count");
        frame.localSlots = field(EWidthLocalSlots, "a method's local slot count");
        frame.localReferenceSlots = indexList(width, "a method's local reference slots");
        frame.localArraySlots = arrayList(width, "a method's local array slots");
        image.frames.push_back(std::move(frame));
    }
}

void ModuleReader::readStrings(ModuleImage& image) {
    for (TUint32 count = u32("the string constant count"); count > 0; --count) {
        const std::size_t at = position + 4;
        ModuleImage::StringConstant constant;
        constant.utf8 = string("a string constant");
        try {
            constant.text = OString::fromUtf8(reinterpret_cast<const TUint8*>(constant.utf8.data()),
                                              static_cast<TInt32>(constant.utf8.size()));
        } catch (const ErrorHandlingException&) {
            clearLastError();
            fail(ModuleFormatError::Kind::BadText, at,
                 "string constant " + number(image.strings.size()) + " is not well-formed UTF-8");
        }
        image.strings.push_back(std::move(constant));
    }
}

// The code is copied instruction by instruction; every instruction must be complete and
// every class-method call must name a class-method record of this module.
void ModuleReader::readCode(ModuleImage& image) {
    image.codeFileOffset = position;
    image.code.assign(file.begin() + static_cast<std::ptrdiff_t>(position), file.end());
    const std::vector<TUint8>& code = image.code;
    for (std::size_t at = 0; at < code.size();) {
        const OpcodeInfo& info = opcodeInfo(code[at]);
        const std::size_t operandsAt = at + 1;
        if (code.size() - operandsAt < info.operandBytes) {
            fail(ModuleFormatError::Kind::Truncated, image.codeFileOffset + at,
                 "the file ends inside the instruction at code offset " + number(at) + " (opcode " +
                     number(code[at]) + " needs " + number(info.operandBytes) + " operand bytes, " +
                     number(code.size() - operandsAt) + " left)");
        }
        if (code[at] == static_cast<TUint8>(Opcode::ClassMethodCall)) {
            const TUint32 record = readLittleEndian32(&code[operandsAt]);
            if (record >= image.classMethods.size()) {
                fail(ModuleFormatError::Kind::BadReference, image.codeFileOffset + operandsAt,
                     "the class method call at code offset " + number(at) + " names record " +
                         number(record) + ", the module has " + number(image.classMethods.size()));
            }
        }
        at = operandsAt + info.operandBytes;
    }
    position = file.size();
}

ModuleImage ModuleReader::readBody(const std::array<TUint8, kModuleIdLength>& identifier) {
    ModuleImage image;
    image.moduleId = identifier;
    readHeaderWidths();
    image.widths = widths;
    readGlobalFunctions(image);
    readClassMethods(image);
    image.globalSlots = u32("the global slot count");
    readClasses(image);
    readFrames(image);
    readStrings(image);
    readCode(image);
    return image;
}

ModuleImage ModuleReader::read(std::span<const TUint8> file) {
    ModuleReader reader(file);
    const auto identifier = reader.readIdentifier();
    return reader.readBody(identifier);
}
