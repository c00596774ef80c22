// The code as the interpreter runs it: every byte offset decoded once, when the code is
// prepared, as if an instruction started there, so that any jump target (even one into
// the middle of an instruction) has its decoding ready. Operands are decoded and branch
// targets made absolute; each entry holds the address of the handler that runs it.
//
// Common short sequences are fused: the entry of a sequence's first instruction runs the
// whole sequence with one dispatch. A fused handler does exactly what the instructions do
// one by one, down to the values they leave above the stack top; whenever one of them
// could fail, it runs the plain entry of its first instruction instead, and the plain
// entries run on (unfused) up to the next jump, so errors arise where they always did.
//
// Branches whose targets lie in the code, calls of methods with a frame layout and returns
// with small slot counts get entries of their own in the fused array too: they carry
// their target as a distance from their own entry, the call's frame offset and return
// position, the return's least stack top, so that each needs one check at most.
//
// So do the natives that compiled code calls for every element and every loop: an array
// element's address, value or the element itself, an array's size, a string's character
// and length. Their entries do the native's work in place when it succeeds, and run the
// native itself whenever it would raise an error.
//
// Jumps are threaded: a branch, or a fused sequence, that leads to an unconditional jump
// (which cannot fail when its target lies in the code) leads straight to that jump's
// target; and a sequence is read on through such a jump, so that a loop's step and the
// test it jumps back to fuse as one. An element's entry that leads to the step and test
// of a loop over the same array (a store into the element, or jz on it) runs them too,
// without a second look-up of the array; the step and test keep their own entry.
#pragma once

#include "FusedKinds.h"
#include "Types.h"

#include <span>
#include <vector>

struct DecodedOp {
    const void* handler = nullptr;
    TInt32 a = 0;        // operands in instruction order, sign-extended where they are signed;
    TInt32 b = 0;        // a branch's absolute target, -1 when it lies outside the code
    TInt32 c = 0;        // a fused sequence's jz target, in bytes from this entry
    TInt32 d = 0;        // where a fused sequence continues, in bytes from this entry
    TInt32 position = 0; // code offset of the (first) instruction
    TUint8 opcode = 0;   // the (first) instruction's opcode
    // A fused loop step spelled out (x = x + 1 or x = x + y) leaves the step in slot top + 3.
    bool leavesStep = false;
};

class DecodedCode {
public:
    // `code` ends with padding bytes; `codeSize` counts the real code. `handlers` gives
    // the handler of each opcode, `fusedHandlers` that of each fused kind; `frameOffsets`
    // the frame offset of each method, for calls.
    void decode(const std::vector<TUint8>& code, TUint32 codeSize, const void* const* handlers,
                const void* const* fusedHandlers, std::span<const TInt32> frameOffsets);
    bool isDecoded() const { return !ops.empty(); }
    void clear();
    // The entries, fused where a sequence starts.
    const DecodedOp* fused() const { return ops.data(); }
    // The entries of single instructions.
    const DecodedOp* plain() const { return plainOps.data(); }
    // The same, for the entry profile to lead elsewhere (EntryProfile.h).
    std::span<DecodedOp> fusedEntries() { return ops; }
    std::span<DecodedOp> plainEntries() { return plainOps; }

private:
    std::vector<DecodedOp> plainOps;
    std::vector<DecodedOp> ops;
};
