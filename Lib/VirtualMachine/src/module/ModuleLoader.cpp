#include "ModuleLoader.h"

#include "ErrorHandling.h"
#include "LittleEndian.h"
#include "ModuleReader.h"
#include "Opcodes.h"
#include "Stream.h"

#include <string>
#include <unordered_map>

namespace {

struct Bases {
    TInt32 classBase;
    TInt32 methodBase;
    TInt32 codeBase;
    TInt32 stringBase;
};

TInt32 asInt(TUint32 value) {
    return static_cast<TInt32>(value);
}
TInt32 wrapAdd(TUint32 value, TInt32 base) {
    return static_cast<TInt32>(value + static_cast<TUint32>(base));
}

std::vector<TInt32> toInts(const std::vector<TUint32>& values) {
    return {values.begin(), values.end()};
}

void splitArrays(const std::vector<ModuleImage::ArrayIndex>& arrays, std::vector<TInt32>& indices,
                 std::vector<TUint8>& holdsReferences) {
    for (const auto& array : arrays) {
        indices.push_back(asInt(array.index));
        holdsReferences.push_back(array.flag);
    }
}

std::u16string key(const OString& name) {
    return name.isEmpty() ? std::u16string() : std::u16string(name.units(), name.length());
}

OString latin1(const std::string& bytes) {
    return OString(bytes.data(), static_cast<TInt32>(bytes.size()));
}

void raiseMaxClassIndex(ModuleTables& tables, TInt32 classIndex) {
    if (classIndex > tables.maxClassIndex) tables.maxClassIndex = classIndex;
}

void addGlobalFunctions(ModuleTables& tables, const ModuleImage& image, TInt32 module,
                        const Bases& bases) {
    for (const auto& function : image.globalFunctions) {
        ExportedMethod method;
        method.module = module;
        method.name = latin1(function.name);
        method.entries.push_back({-1, wrapAdd(function.codeOffset, bases.codeBase),
                                  wrapAdd(function.methodIndex, bases.methodBase)});
        tables.methods.push_back(std::move(method));
    }
}

// Class methods merge by name with every method already in the table, so a name shared
// by several records (or modules) collects all their implementations. Returns, for each
// record, the method-table index it landed in.
std::vector<TInt32> addClassMethods(ModuleTables& tables, const ModuleImage& image, TInt32 module,
                                    const Bases& bases) {
    std::unordered_map<std::u16string, TInt32> firstByName;
    for (TInt32 i = static_cast<TInt32>(tables.methods.size()) - 1; i >= 0; --i)
        firstByName[key(tables.methods[static_cast<std::size_t>(i)].name)] = i;

    std::vector<TInt32> localMap;
    for (const auto& record : image.classMethods) {
        const OString name = latin1(record.name);
        auto [found, isNew] =
            firstByName.try_emplace(key(name), static_cast<TInt32>(tables.methods.size()));
        if (isNew) {
            ExportedMethod method;
            method.module = module;
            method.name = name;
            method.isClassMethod = 1;
            tables.methods.push_back(std::move(method));
        }
        ExportedMethod& method = tables.methods[static_cast<std::size_t>(found->second)];
        for (const auto& implementation : record.implementations) {
            const TInt32 classIndex = wrapAdd(implementation.classIndex, bases.classBase);
            method.entries.push_back({classIndex,
                                      wrapAdd(implementation.codeOffset, bases.codeBase),
                                      wrapAdd(implementation.methodIndex, bases.methodBase)});
            raiseMaxClassIndex(tables, classIndex);
        }
        localMap.push_back(found->second);
    }
    return localMap;
}

template <class T> void growTo(std::vector<T>& table, std::size_t index, const T& filler) {
    if (table.size() <= index) table.resize(index + 1, filler);
}

void addClasses(ModuleTables& tables, const ModuleImage& image, const Bases& bases) {
    for (std::size_t i = 0; i < image.classes.size(); ++i) {
        const auto& record = image.classes[i];
        const auto index = static_cast<std::size_t>(static_cast<TUint32>(bases.classBase) + i);
        growTo(tables.classReferenceFields, index, {});
        growTo(tables.classArrayFields, index, {});
        growTo(tables.classArrayFieldHoldsReferences, index, {});
        tables.classReferenceFields[index] = toInts(record.referenceFields);
        tables.classArrayFields[index].clear();
        tables.classArrayFieldHoldsReferences[index].clear();
        splitArrays(record.arrayFields, tables.classArrayFields[index],
                    tables.classArrayFieldHoldsReferences[index]);
        growTo(tables.superclass, index, -2);
        tables.superclass[index] =
            record.superclassFlag != 0 ? wrapAdd(record.superclass, bases.classBase) : -1;
    }
}

void addFrameLayouts(ModuleTables& tables, const ModuleImage& image) {
    for (const auto& frame : image.frames) {
        MethodGCInfo info;
        info.argumentSlots = asInt(frame.argumentSlots);
        info.argumentReferenceSlots = toInts(frame.argumentReferenceSlots);
        splitArrays(frame.argumentArraySlots, info.argumentArraySlots,
                    info.argumentArrayHoldsReferences);
        info.resultSlots = asInt(frame.resultSlots);
        info.localSlots = asInt(frame.localSlots);
        info.localReferenceSlots = toInts(frame.localReferenceSlots);
        splitArrays(frame.localArraySlots, info.localArraySlots, info.localArrayHoldsReferences);
        tables.frameLayouts.push_back(std::move(info));
    }
}

TUint32 relocate(OperandKind kind, TUint32 value, const Bases& bases,
                 const std::vector<TInt32>& localMap, ModuleTables& tables) {
    switch (kind) {
    case OperandKind::CodeOffset: return value + static_cast<TUint32>(bases.codeBase);
    case OperandKind::FrameIndex:
        return asInt(value) < 0 ? value : value + static_cast<TUint32>(bases.methodBase);
    case OperandKind::ClassMethod: return static_cast<TUint32>(localMap[value]);
    case OperandKind::StringIndex: return value + static_cast<TUint32>(bases.stringBase);
    case OperandKind::ClassIndex: {
        const TInt32 classIndex = wrapAdd(value, bases.classBase);
        raiseMaxClassIndex(tables, classIndex);
        return static_cast<TUint32>(classIndex);
    }
    case OperandKind::HandlerClass:
        return asInt(value) < 0 ? value : value + static_cast<TUint32>(bases.classBase);
    default:
        // Plain values and offsets relative to the instruction stay as they are; the
        // handler offset moves with the code, so it needs no code base.
        return value;
    }
}

void appendCode(ModuleTables& tables, const ModuleImage& image, const Bases& bases,
                const std::vector<TInt32>& localMap) {
    const std::size_t start = tables.code.size();
    tables.code.insert(tables.code.end(), image.code.begin(), image.code.end());
    TUint8* code = tables.code.data() + start;
    for (std::size_t at = 0; at < image.code.size();) {
        const OpcodeInfo& info = opcodeInfo(code[at]);
        std::size_t operand = at + 1;
        for (int i = 0; i < info.operandCount; ++i) {
            const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
            if (operandWidth(kind) == 4) {
                const TUint32 value = readLittleEndian32(code + operand);
                writeLittleEndian32(code + operand, relocate(kind, value, bases, localMap, tables));
            }
            operand += static_cast<std::size_t>(operandWidth(kind));
        }
        at = operand;
    }
}

} // namespace

TInt32 ModuleLoader::load(ModuleTables& tables, const OString& name, std::span<const TUint8> file,
                          const GlobalsAllocator& allocateGlobals) {
    ModuleImage image;
    try {
        ModuleReader reader(file);
        const auto identifier = reader.readIdentifier();
        for (std::size_t i = 0; i < tables.modules.size(); ++i) {
            if (tables.modules[i].moduleId == identifier && tables.modules[i].name == name)
                return static_cast<TInt32>(i);
        }
        image = reader.readBody(identifier);
    } catch (const ModuleFormatError& error) {
        switch (error.kind) {
        case ModuleFormatError::Kind::Malformed: return -1;
        case ModuleFormatError::Kind::Truncated: throwError(EVMException, error.what());
        case ModuleFormatError::Kind::BadText: throwError(EDataFormat);
        case ModuleFormatError::Kind::BadReference: throwError(EInvalidArgument);
        }
    }

    const Bases bases{tables.maxClassIndex + 1, static_cast<TInt32>(tables.frameLayouts.size()),
                      static_cast<TInt32>(tables.code.size()),
                      static_cast<TInt32>(tables.stringConstants.size())};
    const auto module = static_cast<TInt32>(tables.modules.size());
    tables.modules.push_back(
        {name, image.moduleId, bases.codeBase, static_cast<TInt32>(image.code.size())});
    addGlobalFunctions(tables, image, module, bases);
    const std::vector<TInt32> localMap = addClassMethods(tables, image, module, bases);
    if (image.globalSlots > 0 && allocateGlobals) allocateGlobals(image.globalSlots);
    addClasses(tables, image, bases);
    addFrameLayouts(tables, image);
    for (const auto& constant : image.strings)
        tables.stringConstants.push_back(constant.text);
    appendCode(tables, image, bases, localMap);
    return module;
}

TInt32 ModuleLoader::load(ModuleTables& tables, const OString& name, KESTRO::InputStream& stream,
                          const GlobalsAllocator& allocateGlobals) {
    const TUint32 remaining = stream.size() - stream.position();
    std::vector<TUint8> file(remaining);
    if (remaining > 0 && !stream.read(file.data(), remaining))
        throwError(EVMException, "the module could not be read");
    return load(tables, name, file, allocateGlobals);
}
