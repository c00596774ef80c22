// The native groups that opcode 78 reaches, by number, each with its table of functions.
// A table lists every function of its group once: its number, the name the assembler and
// disassembler use, the handler, and a constant the handler receives where several
// functions share one handler.
#pragma once

#include "Types.h"

#include <span>
#include <string_view>

class NativeCall;

struct NativeFunction {
    TInt32 number = 0;
    const char* name = nullptr;
    void (*handler)(NativeCall& call, TInt32 constant) = nullptr;
    TInt32 constant = 0;
};
using NativeTable = std::span<const NativeFunction>;

// X(number, "Name", "prefix of the unknown-function message", table)
#define KESTRO_NATIVE_GROUPS(X)                                                                    \
    X(1, "ByteArray", "Vector:", kNoNatives)                                                       \
    X(3, "IntArray", "Vector:", kNoNatives)                                                        \
    X(4, "Int2Array", "Vector:", kNoNatives)                                                       \
    X(5, "Int3Array", "Vector:", kNoNatives)                                                       \
    X(6, "Int4Array", "Vector:", kNoNatives)                                                       \
    X(7, "ObjectArray", "Vector:", kNoNatives)                                                     \
    X(8, "String", "String:", kNoNatives)                                                          \
    X(9, "Byte", "Byte:", kNoNatives)                                                              \
    X(10, "Char", "Char:", kNoNatives)                                                             \
    X(11, "Fixed", "Fixed:", kFixedNatives)                                                        \
    X(12, "Long", "Long:", kNoNatives)                                                             \
    X(13, "Color", "Color:", kNoNatives)                                                           \
    X(14, "Range", "Range:", kNoNatives)                                                           \
    X(15, "Size", "Size:", kNoNatives)                                                             \
    X(16, "Position", "Position:", kNoNatives)                                                     \
    X(17, "Rectangle", "Rectangle:", kNoNatives)                                                   \
    X(18, "Graphics", "Graphics:", kNoNatives)                                                     \
    X(19, "Bitmap", "Bitmap:", kNoNatives)                                                         \
    X(20, "Font", "Font:", kNoNatives)                                                             \
    X(21, "OutputStream", "OutputStream:", kOutputStreamNatives)                                   \
    X(22, "FileWriter", "FileWriter:", kFileWriterNatives)                                         \
    X(23, "InputStream", "InputStream:", kInputStreamNatives)                                      \
    X(24, "FileReader", "FileReader:", kFileReaderNatives)                                         \
    X(25, "FileSystem", "FileSystem:", kFileSystemNatives)                                         \
    X(26, "Math", "Math:", kMathNatives)                                                           \
    X(27, "Number", "Number:", kNoNatives)                                                         \
    X(28, "Encoder", "Encoder:", kNoNatives)                                                       \
    X(29, "DateTime", "DateTime:", kDateTimeNatives)                                               \
    X(30, "Debug", "Debug:", kDebugNatives)                                                        \
    X(31, "Screen", "Screen:", kNoNatives)                                                         \
    X(32, "System", "System:", kSystemNatives)                                                     \
    X(33, "Timer", "Timer:", kTimerNatives)                                                        \
    X(34, "Hash", "Hash:", kNoNatives)                                                             \
    X(35, "KeyEvent", "KeyEvent: invalid opcode ", kNoNatives)                                     \
    X(36, "Float", "Float: invalid opcode: ", kFloatNatives)

// Each group's table, defined in the group's folder; a group whose functions are not
// available answers every function as unknown.
#define KESTRO_DECLARE_NATIVE_TABLE(number, name, prefix, table) extern const NativeTable table;
KESTRO_NATIVE_GROUPS(KESTRO_DECLARE_NATIVE_TABLE)
#undef KESTRO_DECLARE_NATIVE_TABLE

struct NativeGroupInfo {
    const char* name = nullptr;          // null when no group has the number
    const char* messagePrefix = nullptr; // begins the group's unknown-function message
    NativeTable functions;
};

NativeGroupInfo nativeGroupInfo(TInt32 group);
// The function of the group with that number, or null. Only the number's low 8 bits
// count: function bytes 128 to 255 arrive as -128 to -1.
const NativeFunction* findNative(TInt32 group, TInt32 function);
// The function of the group with that name, or null.
const NativeFunction* findNativeNamed(TInt32 group, std::string_view name);
