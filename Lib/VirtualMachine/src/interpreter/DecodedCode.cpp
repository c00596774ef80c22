#include "DecodedCode.h"

#include "LittleEndian.h"
#include "Opcodes.h"

namespace {

// A target inside the code, or -1.
TInt32 checkedTarget(TInt64 target, TUint32 codeSize) {
    return target >= 0 && target < static_cast<TInt64>(codeSize) ? static_cast<TInt32>(target) : -1;
}

// A position that still fits 32 bits, or the most negative value (never a valid one).
TInt32 clampedPosition(TInt64 position) {
    return position >= INT32_MIN && position <= INT32_MAX ? static_cast<TInt32>(position) : INT32_MIN;
}

TInt32 operandValue(OperandKind kind, const TUint8* bytes, TInt64 position, TUint32 codeSize) {
    switch (kind) {
    case OperandKind::Int8:
    case OperandKind::GcCode:
    case OperandKind::NativeGroup: return static_cast<TInt8>(bytes[0]);
    case OperandKind::Branch16:
        return checkedTarget(position + 2 + static_cast<TInt16>(readLittleEndian16(bytes)), codeSize);
    case OperandKind::Branch32:
        return checkedTarget(position + 4 + static_cast<TInt32>(readLittleEndian32(bytes)), codeSize);
    case OperandKind::HandlerOffset:
        return clampedPosition(handlerPosition(position, static_cast<TInt32>(readLittleEndian32(bytes))));
    case OperandKind::CodeOffset: return checkedTarget(readLittleEndian32(bytes), codeSize);
    default: return static_cast<TInt32>(readLittleEndian32(bytes));
    }
}

DecodedOp decodeAt(const std::vector<TUint8>& code, TUint32 codeSize, TUint32 position) {
    DecodedOp op;
    op.opcode = code[position];
    op.position = static_cast<TInt32>(position);
    const OpcodeInfo& info = opcodeInfo(op.opcode);
    // Operands of an instruction that starts in the padding would run past the array.
    if (position + info.operandBytes >= code.size()) return op;
    TInt32* fields[] = {&op.a, &op.b, &op.c};
    const TUint8* bytes = code.data() + position + 1;
    for (int i = 0; i < info.operandCount; ++i) {
        const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
        *fields[i] = operandValue(kind, bytes, position, codeSize);
        bytes += operandWidth(kind);
    }
    if (info.operands[0] == OperandKind::Int64)
        op.b = static_cast<TInt32>(readLittleEndian32(code.data() + position + 5));
    return op;
}

} // namespace

void DecodedCode::clear() {
    ops.clear();
}

void DecodedCode::decode(const std::vector<TUint8>& code, TUint32 codeSize, const void* const* handlers) {
    ops.resize(code.size());
    for (TUint32 position = 0; position < code.size(); ++position) {
        ops[position] = decodeAt(code, codeSize, position);
        ops[position].handler = handlers[ops[position].opcode];
    }
}
