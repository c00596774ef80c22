// The sequences that the decoder fuses into one entry, listed once: the list makes both
// the FusedKind enum and the interpreter's table of fused handlers, so that no kind can
// lack a handler.
#pragma once

// The comparisons and the operations (without a failure) that sequences fuse. F(X, name)
// is expanded for each, with X passed on.
#define KESTRO_FUSED_COMPARISONS(F, X)                                                             \
    F(X, Equal) F(X, Less) F(X, LessEqual) F(X, NotEqual) F(X, Greater) F(X, GreaterEqual)
#define KESTRO_FUSED_OPERATIONS(F, X)                                                              \
    F(X, Add) F(X, Sub) F(X, Mul) F(X, And) F(X, Or) F(X, Xor) F(X, ShiftLeft) F(X, ShiftRight)
// The divisions, which fail only by 0 and are fused only by another constant; and the
// operations of a value computed from a slot and a constant: all of them.
#define KESTRO_FUSED_DIVISIONS(F, X) F(X, Div) F(X, Rem)
#define KESTRO_FUSED_CONSTANT_OPERATIONS(F, X)                                                     \
    KESTRO_FUSED_OPERATIONS(F, X) KESTRO_FUSED_DIVISIONS(F, X)

// The kinds of one comparison, in the order the decoder numbers them (comparisonKind).
#define KESTRO_FUSED_COMPARE_KINDS(X, name)                                                        \
    X(PickConst##name##Branch, "pick a; push b; Compare; jz c")                                    \
    X(PickPick##name##Branch, "pick a; pick b; Compare; jz c")                                     \
    X(name##Branch, "Compare; jz c")                                                               \
    X(Step##name##Branch,                                                                          \
      "addr a (byte 0); inc.at, or spelled x = x + 1; pick a (byte 2); push b; Compare; jz c: "   \
      "the step and test of a counted loop")                                                       \
    X(PickSize##name##Branch,                                                                      \
      "pick a (low half); addr a (high half); native G, 11 of an array group (b = the element "    \
      "bytes and the least top, see ELEMENT_BYTES); Compare; jz c: a loop over an array")          \
    X(StepSize##name##Branch,                                                                      \
      "addr a (byte 0); inc.at; then the same with pick a (byte 2) and addr a (byte 3): a "        \
      "loop's step and test")                                                                      \
    X(StrideSize##name##Branch, "the same with addr a (byte 0); pick a (byte 1); add.at")          \
    X(StoreStepSize##name##Branch,                                                                 \
      "SlotWordStoreConst, SlotWordStorePick or SlotWordStoreOperate (a: the variable's and the "  \
      "index's offsets in bytes 0 and 1, byte 2 the form of the value, see StoredForm), then "     \
      "the entry at d, StepSize or StrideSize on the same array: the last statement of a loop "    \
      "over an array stores into it, then the loop's step and test")                               \
    X(BranchStepSize##name##Branch,                                                                \
      "SlotWordBranch (a: the variable's and the index's offsets in bytes 0 and 1) whose jz "      \
      "leads to StepSize or StrideSize on the same array: a loop over an array whose body ends "   \
      "with if (a[i])")                                                                            \
    X(Const##name##Branch, "push b; Compare; jz c")                                                \
    X(Counted##name##Branch,                                                                       \
      "Step...Branch with a stride, pick a (byte 1); add.at or spelled x = x + y, or with "        \
      "pick a (byte 3) for push b, a bound in a slot, or both")                                   \
    X(Pick##name##Branch, "pick a; Compare; jz c")                                                 \
    X(SlotWord##name##Branch,                                                                      \
      "addr a (byte 0); pick a (byte 1); a 4-byte element's address and load, or the native "      \
      "that gives the element; push b, or pick a (byte 2) when byte 3 is 1; Compare; jz c: "       \
      "if (a[i] < v)")                                                                             \
    X(PickedWord##name##Branch, "the same with pick a (byte 0) for addr a")
// The kinds of one operation, in the order the decoder numbers them (operationKind).
#define KESTRO_FUSED_OPERATE_KINDS(X, name)                                                        \
    X(PickConst##name, "pick a; push b; Operate")                                                  \
    X(Const##name, "push a; Operate")                                                              \
    X(PushPickConst##name, "push a; pick b; push c; Operate: a result slot, then an operand")      \
    X(Pick##name, "pick a; Operate")                                                               \
    X(PickPick##name, "pick a; pick b; Operate")                                                   \
    X(Const##name##Store, "push a; Operate; store: x = ... op a")                                  \
    X(SlotPickPick##name, "addr a (byte 0); pick a (byte 1); pick a (byte 2); Operate: x = y op z")\
    X(SlotPickConst##name, "addr a (byte 0); pick a (byte 1); push b; Operate: x = y op b ...")

// The kinds of one division (divisionKind).
#define KESTRO_FUSED_DIVIDE_KINDS(X, name)                                                         \
    X(PickConst##name, "pick a; push b; Divide, b not 0")                                          \
    X(Const##name, "push a; Divide, a not 0")                                                      \
    X(Const##name##Store, "push a; Divide; store, a not 0")                                        \
    X(SlotPickConst##name, "addr a (byte 0); pick a (byte 1); push b; Divide, b not 0")

// X(Name, "the sequence it fuses"), for every kind. "Compare" stands for any of the
// comparisons, "Operate" for any of the operations, "Divide" for div or rem, "jz" for
// either width; a, b and c are the operands of the kind's entry.
#define KESTRO_FUSED_KINDS(X)                                                                      \
    KESTRO_FUSED_COMPARISONS(KESTRO_FUSED_COMPARE_KINDS, X)                                        \
    KESTRO_FUSED_OPERATIONS(KESTRO_FUSED_OPERATE_KINDS, X)                                         \
    KESTRO_FUSED_DIVISIONS(KESTRO_FUSED_DIVIDE_KINDS, X)                                           \
    X(SlotIncrement, "addr a; inc.at")                                                             \
    X(SlotDecrement, "addr a; dec.at")                                                             \
    X(SlotAddSlot, "addr a; pick b; add.at")                                                       \
    X(SlotSubtractSlot, "addr a; pick b; sub.at")                                                  \
    X(SlotStoreSlot, "addr a; pick b; store")                                                      \
    X(SlotPick, "addr a; pick b, where no longer sequence starts with the pick")                  \
    X(SlotStoreOperate,                                                                            \
      "addr a (byte 0); pick a (byte 1); push c; one of "                                          \
      "KESTRO_FUSED_CONSTANT_OPERATIONS (byte 2, its number); store: x = y op c")                  \
    X(SlotStoreChain,                                                                              \
      "addr a (byte 0); pick a (byte 1); push c; one of KESTRO_FUSED_CONSTANT_OPERATIONS (byte "   \
      "2, its number); push b; another (byte 3); store: x = (y op c) op b")                        \
    X(SlotPickPickChain,                                                                           \
      "addr a (byte 0); pick a (byte 1); pick a (byte 2); one of KESTRO_FUSED_OPERATIONS (the "    \
      "low half of byte 3, its number); push b; one of KESTRO_FUSED_CONSTANT_OPERATIONS (the "     \
      "high half); store: x = (y op z) op b")                                                      \
    X(ConstChain,                                                                                  \
      "push b; one of KESTRO_FUSED_CONSTANT_OPERATIONS (byte 0 of a, its number); push c; "        \
      "another (byte 1); then store when byte 2 is 1: v op b op c")                                \
    X(PushStore, "push a; store")                                                                  \
    X(PickStore, "pick a; store")                                                                  \
    X(PickPick, "pick a; pick b")                                                                  \
    X(PickField, "pick a; field b, where no load follows")                                        \
    X(PickFieldLoad, "pick a; field b; load")                                                      \
    X(PickFieldDupLoad, "pick a; field b; dup; load")                                              \
    X(GlobalField, "globals; field a")                                                             \
    X(GlobalLoad, "globals; field a; load")                                                        \
    X(PickDupLoad, "pick a; dup; load")                                                            \
    X(SumLoad, "add; load")                                                                        \
    X(SumStore, "add; store")                                                                      \
    X(ElementAddress, "native G, F that gives an element's address (a = the element bytes)")       \
    X(ElementLoad, "the same, then load; or native ObjectArray, F that gives the element")         \
    X(WordLoad, "ElementLoad of 4-byte elements")                                                  \
    X(ElementValue, "native G, 8 of a plain array group: the element's slots (a = its bytes)")     \
    X(ArraySize, "native G, 11 of an array group (a = the element bytes)")                         \
    X(SlotElementAddress, "addr a; pick b; native G, F that gives an element's address (c = its "  \
                          "bytes and the least top): the array variable and the index in the "     \
                          "stack")                                                                 \
    X(SlotElementLoad, "the same, then load; or the same with a native that gives the element")    \
    X(SlotElementBranch, "the same with addr a (low half), pick a (high half) and b = the "        \
                         "element bytes and the least top; then jz c: if (a[i])")                  \
    X(SlotWordLoad, "SlotElementLoad of 4-byte elements (int and object arrays)")                  \
    X(SlotIndexedElementAddress,                                                                   \
      "addr a (byte 0); pick a (byte 1); push c, or pick a (byte 2) when bit 1 of byte 3 is set; " \
      "add, or sub when bit 0 of byte 3 is set; native G, F that gives an element's address (b = " \
      "its bytes and the least top): a[i + c], a[i - j]")                                          \
    X(SlotIndexedElementLoad, "the same, then load; or the same with a native that gives the "     \
                              "element")                                                           \
    X(SlotScaledIndexedElementAddress,                                                             \
      "SlotIndexedElementAddress with push c; mul after the first pick and then pick a (byte 2): " \
      "a[i * c + j], as in a row of a two-dimensional array")                                      \
    X(SlotScaledIndexedElementLoad, "the same, then load; or the same with a native that gives "   \
                                    "the element")                                                 \
    X(PickedElementAddress,                                                                        \
      "pick a; pick b; native G, F that gives an element's address (c = its "                      \
      "bytes and the least top): the array variable's address in the stack")                       \
    X(PickedElementLoad, "the same, then load; or the same with a native that gives the element")  \
    X(PickedIndexedElementAddress, "SlotIndexedElementAddress with pick a (byte 0) for addr a")    \
    X(PickedIndexedElementLoad, "SlotIndexedElementLoad with pick a (byte 0) for addr a")          \
    X(PickedScaledIndexedElementAddress,                                                           \
      "SlotScaledIndexedElementAddress with pick a (byte 0) for addr a")                           \
    X(PickedScaledIndexedElementLoad, "SlotScaledIndexedElementLoad with pick a (byte 0) for "     \
                                      "addr a")                                                    \
    X(SlotWordBranch, "SlotElementBranch of 4-byte elements")                                      \
    X(SlotStoreWordLoad, "addr a (byte 0), then SlotWordLoad with its offsets in bytes 1 and 2 "   \
                         "(b = 4 and the least top); store: x = a[i]")                             \
    X(SlotStorePickedWordLoad, "the same with pick a (byte 1) for addr a: x = a[i] of an array "   \
                               "passed to a function")                                             \
    X(ElementStoreConst, "native G, F that gives an element's address (a = its bytes); push b; "   \
                         "store")                                                                  \
    X(ElementStorePick, "the same with pick b: the value in the stack")                            \
    X(SlotElementStoreConst,                                                                       \
      "addr a (low half); pick a (high half); native G, F that gives an "                          \
      "element's address (b = its bytes and the least top); push c; store: "                       \
      "a[i] = c")                                                                                  \
    X(SlotElementStorePick, "the same with pick c: a[i] = a value in the stack")                   \
    X(SlotWordStoreConst, "SlotElementStoreConst of 4-byte elements")                              \
    X(SlotWordStorePick, "SlotElementStorePick of 4-byte elements")                                \
    X(SlotWordStoreOperate,                                                                        \
      "addr a (byte 0); pick a (byte 1); native G, F that gives a 4-byte element's address (b = "  \
      "4 and the least top); pick a (byte 3); push c; one of KESTRO_FUSED_CONSTANT_OPERATIONS "    \
      "(byte 2, see StoredForm); store: a[i] = x op c")                                            \
    X(SlotWordUpdate,                                                                              \
      "addr a (byte 0); pick a (byte 1); native G, F that gives a 4-byte element's address (b = "  \
      "4 and the least top); the same element by addr a - 1; pick a - 1 and its address and "     \
      "load or the native that gives it; push c, or pick c when byte 3 is 1; one of "            \
      "KESTRO_FUSED_CONSTANT_OPERATIONS (byte 2, its number); store: a[i] = a[i] op c")           \
    X(Update, "dup; load; push b, or pick b when c is 1; one of KESTRO_FUSED_CONSTANT_OPERATIONS " \
              "(a, its number); store: x op= v through the address on top")                      \
    X(SlotArraySize, "addr a; native G, 11 of an array group (c = the element bytes)")             \
    X(StringCharAt, "native String, 12")                                                           \
    X(StringLength, "native String, 10")                                                           \
    X(BranchIfZero, "jz c")                                                                        \
    X(Jump, "jmp")                                                                                 \
    X(Call, "call a (b = return position, c = frame offset)")                                      \
    X(Return, "ret a, b (c = the least top it needs)")                                             \
    X(StoreSlotReturn, "addr a; pick b; store; then Return with its counts and least top in "      \
                       "bytes 0 to 2 of c: a function's result from a slot")

// The forms of the value that an element store fused with a loop's step and test stores
// (byte 2 of its a): the constant c, the slot at offset c, or, from EStoredOperation on,
// the operation of that number in KESTRO_FUSED_CONSTANT_OPERATIONS on the slot at offset
// byte 3 of a and the constant c.
enum StoredForm : int {
    EStoredConstant,
    EStoredPick,
    EStoredOperation,
};
enum ConstantOperation : int {
#define KESTRO_CONSTANT_OPERATION_ENUM(unused, name) EConstant##name,
    KESTRO_FUSED_CONSTANT_OPERATIONS(KESTRO_CONSTANT_OPERATION_ENUM, )
#undef KESTRO_CONSTANT_OPERATION_ENUM
};

enum FusedKind : int {
#define KESTRO_FUSED_KIND_ENUM(name, sequence) E##name,
    KESTRO_FUSED_KINDS(KESTRO_FUSED_KIND_ENUM)
#undef KESTRO_FUSED_KIND_ENUM
        EFusedKindCount
};

// Adds one for each kind of a list: (0 KESTRO_FUSED_KINDS(KESTRO_ONE_FUSED_KIND)) counts them.
#define KESTRO_ONE_FUSED_KIND(name, sequence) +1
