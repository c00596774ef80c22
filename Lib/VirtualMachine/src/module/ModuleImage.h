// A bytecode module as it is stored in its file, with module-local indices. The reader
// fills it from the file's bytes (checking every rule of the format); the loader
// relocates it into the machine's tables; the tools print it and write it back.
#pragma once

#include "OString.h"
#include "Types.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr int kModuleIdLength = 20;
inline constexpr int kWidthCount = 9;
inline constexpr TUint8 kModuleMarker = 0xFF;

// Which header width entry each width-sized field uses.
enum WidthEntry : int {
    EWidthCodeOffset = 0,
    EWidthMethodIndex = 1,
    EWidthClassIndex = 2,
    EWidthSuperclassFlag = 3,
    EWidthInterfaceCount = 4,
    EWidthArgumentSlots = 5,
    EWidthResultSlots = 6,
    EWidthLocalSlots = 7,
    EWidthImplementationCount = 8,
};

inline constexpr TUint8 kArrayOfValues = 0;
inline constexpr TUint8 kArrayOfReferences = 255;

struct ModuleImage {
    struct GlobalFunction {
        std::string name; // one byte per character
        TUint32 codeOffset = 0;
        TUint32 methodIndex = 0;
    };
    struct Implementation {
        TUint32 classIndex = 0;
        TUint32 codeOffset = 0;
        TUint32 methodIndex = 0;
    };
    struct ClassMethod {
        std::string name;
        std::vector<Implementation> implementations;
    };
    // An array field or array slot: the flag byte (0 values, 255 references) and its index.
    struct ArrayIndex {
        TUint8 flag = kArrayOfValues;
        TUint32 index = 0;
    };
    struct ClassRecord {
        TUint8 fieldIndexWidth = 1;
        std::vector<TUint32> referenceFields;
        std::vector<ArrayIndex> arrayFields;
        TUint32 superclassFlag = 0; // non-zero: superclass is present
        TUint32 superclass = 0;
        std::vector<TUint32> interfaces; // read and ignored by the loader
    };
    struct FrameLayout {
        TUint8 slotIndexWidth = 1;
        TUint32 argumentSlots = 0;
        std::vector<TUint32> argumentReferenceSlots;
        std::vector<ArrayIndex> argumentArraySlots;
        TUint32 resultSlots = 0;
        TUint32 localSlots = 0;
        std::vector<TUint32> localReferenceSlots;
        std::vector<ArrayIndex> localArraySlots;
    };
    struct StringConstant {
        std::string utf8; // the bytes as stored
        OString text;     // decoded
    };

    std::array<TUint8, kModuleIdLength> moduleId{};
    std::array<TUint8, kWidthCount> widths{};
    std::vector<GlobalFunction> globalFunctions;
    std::vector<ClassMethod> classMethods;
    TUint32 globalSlots = 0;
    std::vector<ClassRecord> classes;
    std::vector<FrameLayout> frames;
    std::vector<StringConstant> strings;
    std::vector<TUint8> code;
    std::size_t codeFileOffset = 0; // where the code starts in the file
};

// Why a module was refused, and at which byte of the file.
class ModuleFormatError : public std::runtime_error {
public:
    enum class Kind {
        Malformed,    // a header or record value breaks a rule of the format
        Truncated,    // the file ends inside a field or an instruction
        BadText,      // a string constant is not well-formed UTF-8
        BadReference, // a class-method call names a record the module does not have
    };
    ModuleFormatError(Kind aKind, std::size_t anOffset, const std::string& reason)
        : std::runtime_error(reason), kind(aKind), offset(anOffset) {}
    Kind kind;
    std::size_t offset;
};
