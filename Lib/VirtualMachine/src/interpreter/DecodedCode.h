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
// Jumps are threaded: a branch, or a fused sequence, that leads to an unconditional jump
// (which cannot fail when its target lies in the code) leads straight to that jump's
// target.
#pragma once

#include "Types.h"

#include <span>
#include <vector>

struct DecodedOp {
    const void* handler = nullptr;
    TInt32 a = 0;        // operands in instruction order, sign-extended where they are signed;
    TInt32 b = 0;        // a branch's absolute target, -1 when it lies outside the code
    TInt32 c = 0;        // a fused sequence's jz target, in entries from this one
    TInt32 d = 0;        // where a fused sequence continues, in entries from this one
    TInt32 position = 0; // code offset of the (first) instruction
    TUint8 opcode = 0;   // the (first) instruction's opcode
};

// The comparisons and the operations (without a failure) that sequences fuse.
#define KESTRO_FUSED_COMPARISONS(X)                                                                \
    X(Equal) X(Less) X(LessEqual) X(NotEqual) X(Greater) X(GreaterEqual)
#define KESTRO_FUSED_OPERATIONS(X) X(Add) X(Sub) X(Mul) X(And) X(Or) X(Xor) X(ShiftLeft)

// The fused sequences and the operands of their entries; "Compare" stands for any of the
// comparisons, "Operate" for any of the operations, "jz" for either width.
enum FusedKind : int {
#define KESTRO_FUSED_COMPARE_KINDS(name)                                                           \
    EPickConst##name##Branch,    /* pick a; push b; Compare; jz c */                               \
        EPickPick##name##Branch, /* pick a; pick b; Compare; jz c */                               \
        E##name##Branch,         /* Compare; jz c */                                               \
        EStep##name##Branch, /* addr a (low half); inc.at; pick a (high half); push b; Compare;    \
                                jz c: the step of a counted loop */
    KESTRO_FUSED_COMPARISONS(KESTRO_FUSED_COMPARE_KINDS)
#undef KESTRO_FUSED_COMPARE_KINDS
#define KESTRO_FUSED_OPERATE_KINDS(name)                                                           \
    EPickConst##name,         /* pick a; push b; Operate */                                        \
        EConst##name,         /* push a; Operate */                                                \
        EPushPickConst##name, /* push a; pick b; push c; Operate: a result slot, then an operand   \
                               */
        KESTRO_FUSED_OPERATIONS(KESTRO_FUSED_OPERATE_KINDS)
#undef KESTRO_FUSED_OPERATE_KINDS
            ESlotIncrement, // addr a; inc.at
    ESlotDecrement,         // addr a; dec.at
    ESlotAddSlot,           // addr a; pick b; add.at
    ESlotSubtractSlot,      // addr a; pick b; sub.at
    ESlotStoreSlot,         // addr a; pick b; store
    EPickPick,              // pick a; pick b
    EPickClear,             // pick a; clear
    EPickClearStep,         // pick a; clear; addr b; pick c; add.at: a fill loop's body
    EPickFieldLoad,         // pick a; field b; load
    EGlobalField,           // globals; field a
    EGlobalLoad,            // globals; field a; load
    EPickDupLoad,           // pick a; dup; load
    EIndexedLoad,           // pick a; pick b; push c; shl; add; load
    ESumLoad,               // add; load
    ESumStore,              // add; store
    EBranchIfZero,          // jz c
    EJump,                  // jmp
    ECall,                  // call a (b = return position, c = frame offset)
    EReturn,                // ret a, b (c = the least top it needs)
    EFusedKindCount
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

private:
    std::vector<DecodedOp> plainOps;
    std::vector<DecodedOp> ops;
};
