// The code as the interpreter runs it: every byte offset decoded once, when the code is
// prepared, as if an instruction started there, so that any jump target (even one into
// the middle of an instruction) has its decoding ready. Operands are decoded and branch
// targets made absolute; each entry holds the address of the handler that runs it.
#pragma once

#include "Types.h"

#include <vector>

struct DecodedOp {
    const void* handler = nullptr;
    TInt32 a = 0; // operands in instruction order, sign-extended where they are signed;
    TInt32 b = 0; // a branch's absolute target, -1 when it lies outside the code
    TInt32 c = 0;
    TInt32 position = 0; // code offset of the instruction
    TUint8 opcode = 0;
};

class DecodedCode {
public:
    // `code` ends with padding bytes; `codeSize` counts the real code. `handlers` gives
    // the handler of each opcode.
    void decode(const std::vector<TUint8>& code, TUint32 codeSize, const void* const* handlers);
    bool isDecoded() const { return !ops.empty(); }
    void clear();
    const DecodedOp* at(TInt32 position) const { return ops.data() + position; }

private:
    std::vector<DecodedOp> ops;
};
