// Kinds of heap blocks. The allocation instructions carry these codes, so their values
// are part of the bytecode contract.
#pragma once

#include "Types.h"

#define KESTRO_GC_CODES(X)                                                                         \
    X(0, GC_CODE_FREE, "FREE")                                                                     \
    X(1, GC_CODE_OBJECT, "OBJECT")                                                                 \
    X(2, GC_CODE_DATA, "DATA")                                                                     \
    X(3, GC_CODE_STRING, "STRING")                                                                 \
    X(5, GC_CODE_FONT, "FONT")                                                                     \
    X(6, GC_CODE_PRIMITIVE_ARRAY_REF, "PRIMITIVE_ARRAY_REF")                                       \
    X(7, GC_CODE_OBJECT_ARRAY_REF, "OBJECT_ARRAY_REF")                                             \
    X(8, GC_CODE_VECTOR, "VECTOR")                                                                 \
    X(12, GC_CODE_STREAM_HOLDER, "STREAM_HOLDER")                                                  \
    X(14, GC_CODE_NATIVE_REF, "NATIVE_REF")                                                        \
    X(15, GC_CODE_DATETIME, "DATETIME")                                                            \
    X(16, GC_CODE_REF_CELL, "REF_CELL")                                                            \
    X(17, GC_CODE_HASH, "HASH")                                                                    \
    X(18, GC_CODE_TERMINATOR, "TERMINATOR")

enum GcCode : TInt32 {
#define KESTRO_GC_CODE_ENUM(value, name, text) name = value,
    KESTRO_GC_CODES(KESTRO_GC_CODE_ENUM)
#undef KESTRO_GC_CODE_ENUM
};

// The short name the assembler and disassembler use ("OBJECT"), or null for a code
// without a name of its own.
const char* gcCodeName(TInt32 code);
