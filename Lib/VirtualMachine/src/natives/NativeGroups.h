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

// The unknown-function error is VMException with the group's prefix followed by the code
// position of the call, or, for one group, by the function number.
enum class UnknownFunctionSuffix { CodePosition, FunctionNumber };

// The handler of reserved functions that do nothing and leave the stack untouched.
void nothing(NativeCall& call, TInt32 constant);

// X(number, "Name", "prefix of the unknown-function message", suffix, table)
#define KESTRO_NATIVE_GROUPS(X)                                                                    \
    X(1, "ByteArray", "Vector:", CodePosition, kByteArrayNatives)                                  \
    X(3, "IntArray", "Vector:", CodePosition, kIntArrayNatives)                                    \
    X(4, "Int2Array", "Vector:", CodePosition, kInt2ArrayNatives)                                  \
    X(5, "Int3Array", "Vector:", CodePosition, kInt3ArrayNatives)                                  \
    X(6, "Int4Array", "Vector:", CodePosition, kInt4ArrayNatives)                                  \
    X(7, "ObjectArray", "Vector:", CodePosition, kObjectArrayNatives)                              \
    X(8, "String", "String:", CodePosition, kStringNatives)                                        \
    X(9, "Byte", "Byte:", CodePosition, kNoNatives)                                                \
    X(10, "Char", "Char:", CodePosition, kCharNatives)                                             \
    X(11, "Fixed", "Fixed:", CodePosition, kFixedNatives)                                          \
    X(12, "Long", "Long:", CodePosition, kLongNatives)                                             \
    X(13, "Color", "Color:", CodePosition, kColorNatives)                                          \
    X(14, "Range", "Range:", CodePosition, kRangeNatives)                                          \
    X(15, "Size", "Size:", CodePosition, kSizeNatives)                                             \
    X(16, "Position", "Position:", CodePosition, kPositionNatives)                                 \
    X(17, "Rectangle", "Rectangle:", CodePosition, kRectangleNatives)                              \
    X(18, "Graphics", "Graphics:", CodePosition, kGraphicsNatives)                                 \
    X(19, "Bitmap", "Bitmap:", CodePosition, kBitmapNatives)                                       \
    X(20, "Font", "Font:", CodePosition, kFontNatives)                                             \
    X(21, "OutputStream", "OutputStream:", CodePosition, kOutputStreamNatives)                     \
    X(22, "FileWriter", "FileWriter:", CodePosition, kFileWriterNatives)                           \
    X(23, "InputStream", "InputStream:", CodePosition, kInputStreamNatives)                        \
    X(24, "FileReader", "FileReader:", CodePosition, kFileReaderNatives)                           \
    X(25, "FileSystem", "FileSystem:", CodePosition, kFileSystemNatives)                           \
    X(26, "Math", "Math:", CodePosition, kMathNatives)                                             \
    X(27, "Number", "Number:", CodePosition, kNumberNatives)                                       \
    X(28, "Encoder", "Encoder:", CodePosition, kEncoderNatives)                                    \
    X(29, "DateTime", "DateTime:", CodePosition, kDateTimeNatives)                                 \
    X(30, "Debug", "Debug:", CodePosition, kDebugNatives)                                          \
    X(31, "Screen", "Screen:", CodePosition, kScreenNatives)                                       \
    X(32, "System", "System:", CodePosition, kSystemNatives)                                       \
    X(33, "Timer", "Timer:", CodePosition, kTimerNatives)                                          \
    X(34, "Hash", "Hash:", CodePosition, kHashNatives)                                             \
    X(35, "KeyEvent", "KeyEvent: invalid opcode ", CodePosition, kKeyEventNatives)                 \
    X(36, "Float", "Float: invalid opcode: ", FunctionNumber, kFloatNatives)

// Each group's table, defined in the group's folder; a group whose functions are not
// available answers every function as unknown.
#define KESTRO_DECLARE_NATIVE_TABLE(number, name, prefix, suffix, table)                           \
    extern const NativeTable table;
KESTRO_NATIVE_GROUPS(KESTRO_DECLARE_NATIVE_TABLE)
#undef KESTRO_DECLARE_NATIVE_TABLE

struct NativeGroupInfo {
    const char* name = nullptr;          // null when no group has the number
    const char* messagePrefix = nullptr; // begins the group's unknown-function message
    UnknownFunctionSuffix messageSuffix = UnknownFunctionSuffix::CodePosition;
    NativeTable functions;
};

NativeGroupInfo nativeGroupInfo(TInt32 group);
// The function of the group with that number, or null. Only the number's low 8 bits
// count: function bytes 128 to 255 arrive as -128 to -1.
const NativeFunction* findNative(TInt32 group, TInt32 function);
// The function of the group with that name, or null.
const NativeFunction* findNativeNamed(TInt32 group, std::string_view name);
