// Kinds of heap blocks. The allocation instructions carry these codes, so their values
// are part of the bytecode contract.
#pragma once

#include "Types.h"

// X(value, enumerator, "assembler name", whether the allocation instructions may use it).
// The codes without a name of their own are not created by the runtime; they are open to
// the bytecode, and nothing inside their blocks is traced.
#define KESTRO_GC_CODES(X)                                                                         \
    X(0, GC_CODE_FREE, "FREE", false)                                                              \
    X(1, GC_CODE_OBJECT, "OBJECT", true)                                                           \
    X(2, GC_CODE_DATA, "DATA", true)                                                               \
    X(3, GC_CODE_STRING, "STRING", true)                                                           \
    X(4, GC_CODE_OPEN_4, nullptr, true)                                                            \
    X(5, GC_CODE_FONT, "FONT", true)                                                               \
    X(6, GC_CODE_PRIMITIVE_ARRAY_REF, "PRIMITIVE_ARRAY_REF", true)                                 \
    X(7, GC_CODE_OBJECT_ARRAY_REF, "OBJECT_ARRAY_REF", true)                                       \
    X(8, GC_CODE_VECTOR, "VECTOR", false)                                                          \
    X(9, GC_CODE_OPEN_9, nullptr, true)                                                            \
    X(10, GC_CODE_OPEN_10, nullptr, true)                                                          \
    X(11, GC_CODE_OPEN_11, nullptr, true)                                                          \
    X(12, GC_CODE_STREAM_HOLDER, "STREAM_HOLDER", true)                                            \
    X(13, GC_CODE_OPEN_13, nullptr, true)                                                          \
    X(14, GC_CODE_NATIVE_REF, "NATIVE_REF", true)                                                  \
    X(15, GC_CODE_DATETIME, "DATETIME", true)                                                      \
    X(16, GC_CODE_REF_CELL, "REF_CELL", true)                                                      \
    X(17, GC_CODE_HASH, "HASH", true)                                                              \
    X(18, GC_CODE_TERMINATOR, "TERMINATOR", false)

enum GcCode : TInt32 {
#define KESTRO_GC_CODE_ENUM(value, name, text, allocatable) name = value,
    KESTRO_GC_CODES(KESTRO_GC_CODE_ENUM)
#undef KESTRO_GC_CODE_ENUM
};

// The short name the assembler and disassembler use ("OBJECT"), or null for a code
// without a name of its own.
const char* gcCodeName(TInt32 code);

// Whether the allocation instructions may make blocks of this code.
constexpr bool isAllocatableGcCode(TInt32 code) {
    switch (code) {
#define KESTRO_GC_CODE_ALLOCATABLE(value, name, text, allocatable)                                 \
    case value: return allocatable;
        KESTRO_GC_CODES(KESTRO_GC_CODE_ALLOCATABLE)
#undef KESTRO_GC_CODE_ALLOCATABLE
    default: return false;
    }
}
