// Loads a bytecode module into the machine's tables, relocating every index by the size
// the matching table had before the load.
#pragma once

#include "ModuleTables.h"

#include <functional>
#include <span>

namespace KESTRO {
class InputStream;
}

class ModuleLoader {
public:
    // Returns the module's index in the module table, or -1 when the module breaks a
    // rule of the format. A file that ends early raises VMException; a string constant
    // that is not UTF-8 raises DataFormatException; a class-method call naming a record
    // the module lacks raises InvalidArgumentException. A refused module leaves the
    // tables as they were.
    // A module that declares global slots calls allocateGlobals with their number.
    using GlobalsAllocator = std::function<void(TUint32 slots)>;
    static TInt32 load(ModuleTables& tables, const OString& name, std::span<const TUint8> file,
                       const GlobalsAllocator& allocateGlobals = {});
    // Reads the rest of the stream and loads it.
    static TInt32 load(ModuleTables& tables, const OString& name, KESTRO::InputStream& stream,
                       const GlobalsAllocator& allocateGlobals = {});
};
