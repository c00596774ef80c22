// The machine-wide tables that loaded modules fill: modules, named methods, class
// layouts, frame layouts, string constants and code.
#pragma once

#include "ModuleImage.h"
#include "OString.h"
#include "Types.h"

#include <array>
#include <vector>

struct BytecodeStruct {
    OString name;
    std::array<TUint8, kModuleIdLength> moduleId{};
    TInt32 codeBase = 0;
    TInt32 codeLength = 0;
};

struct MethodEntry {
    TInt32 classIndex = -1; // -1 for a global function
    TInt32 codeOffset = 0;
    TInt32 methodIndex = 0; // into the frame-layout table
};

struct ExportedMethod {
    TInt32 module = 0;
    std::vector<MethodEntry> entries;
    OString name;
    TInt32 isClassMethod = 0;
    TInt32 handle = -1;
};

// Where a method's frame keeps references, for the collector and the call instructions.
struct MethodGCInfo {
    TInt32 argumentSlots = 0;
    std::vector<TInt32> argumentReferenceSlots;
    std::vector<TInt32> argumentArraySlots;
    std::vector<TUint8> argumentArrayHoldsReferences;
    TInt32 resultSlots = 0;
    TInt32 localSlots = 0;
    std::vector<TInt32> localReferenceSlots;
    std::vector<TInt32> localArraySlots;
    std::vector<TUint8> localArrayHoldsReferences;
};

struct ModuleTables {
    std::vector<BytecodeStruct> modules;
    std::vector<ExportedMethod> methods;
    std::vector<std::vector<TInt32>> classReferenceFields;
    std::vector<std::vector<TInt32>> classArrayFields;
    std::vector<std::vector<TUint8>> classArrayFieldHoldsReferences;
    std::vector<TInt32> superclass;
    TInt32 maxClassIndex = 0;
    std::vector<MethodGCInfo> frameLayouts;
    std::vector<OString> stringConstants;
    std::vector<TUint8> code;
};
