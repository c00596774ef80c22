#include "InstructionTables.h"

#include "Opcodes.h"

#include <initializer_list>
#include <sstream>

namespace {

std::string slotCount(TInt8 count) {
    return count == kVaries ? "varies" : std::to_string(count);
}

void printGroup(std::ostream& out, const char* title, std::initializer_list<Opcode> opcodes) {
    out << "### " << title << "\n\n"
        << "| Mnemonic | Op | Operands | Pops | Pushes | Effect |\n"
        << "|---|---|---|---|---|---|\n";
    for (Opcode opcode : opcodes) {
        const OpcodeInfo& info = opcodeInfo(static_cast<TUint8>(opcode));
        out << "| `" << info.mnemonic << "` | " << static_cast<int>(opcode) << " | "
            << info.operandNames << " | " << slotCount(info.pops) << " | " << slotCount(info.pushes)
            << " | " << info.effect << " |\n";
    }
}

} // namespace

std::string instructionTables() {
    std::ostringstream out;
    const char* separator = "";
#define KESTRO_OPCODE_OF(code, name, ...) Opcode::name,
#define KESTRO_PRINT_GROUP(unused, group, title)                                                   \
    out << separator;                                                                              \
    printGroup(out, title, {group(KESTRO_OPCODE_OF)});                                             \
    separator = "\n";
    KESTRO_OPCODE_GROUPS(KESTRO_PRINT_GROUP, )
#undef KESTRO_PRINT_GROUP
#undef KESTRO_OPCODE_OF
    return out.str();
}
