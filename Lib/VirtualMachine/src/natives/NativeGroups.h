// The native groups that opcode 78 reaches, by number.
#pragma once

#include "Types.h"

struct NativeGroupInfo {
    const char* name = nullptr;          // the name the assembler and disassembler use
    const char* messagePrefix = nullptr; // begins the group's unknown-function message
};

#define KESTRO_NATIVE_GROUPS(X)                                                                    \
    X(1, "ByteArray", "Vector:")                                                                   \
    X(3, "IntArray", "Vector:")                                                                    \
    X(4, "Int2Array", "Vector:")                                                                   \
    X(5, "Int3Array", "Vector:")                                                                   \
    X(6, "Int4Array", "Vector:")                                                                   \
    X(7, "ObjectArray", "Vector:")                                                                 \
    X(8, "String", "String:")                                                                      \
    X(9, "Byte", "Byte:")                                                                          \
    X(10, "Char", "Char:")                                                                         \
    X(11, "Fixed", "Fixed:")                                                                       \
    X(12, "Long", "Long:")                                                                         \
    X(13, "Color", "Color:")                                                                       \
    X(14, "Range", "Range:")                                                                       \
    X(15, "Size", "Size:")                                                                         \
    X(16, "Position", "Position:")                                                                 \
    X(17, "Rectangle", "Rectangle:")                                                               \
    X(18, "Graphics", "Graphics:")                                                                 \
    X(19, "Bitmap", "Bitmap:")                                                                     \
    X(20, "Font", "Font:")                                                                         \
    X(21, "OutputStream", "OutputStream:")                                                         \
    X(22, "FileWriter", "FileWriter:")                                                             \
    X(23, "InputStream", "InputStream:")                                                           \
    X(24, "FileReader", "FileReader:")                                                             \
    X(25, "FileSystem", "FileSystem:")                                                             \
    X(26, "Math", "Math:")                                                                         \
    X(27, "Number", "Number:")                                                                     \
    X(28, "Encoder", "Encoder:")                                                                   \
    X(29, "DateTime", "DateTime:")                                                                 \
    X(30, "Debug", "Debug:")                                                                       \
    X(31, "Screen", "Screen:")                                                                     \
    X(32, "System", "System:")                                                                     \
    X(33, "Timer", "Timer:")                                                                       \
    X(34, "Hash", "Hash:")                                                                         \
    X(35, "KeyEvent", "KeyEvent: invalid opcode ")                                                 \
    X(36, "Float", "Float: invalid opcode: ")

// The group with this number, or an info with null names when there is none.
NativeGroupInfo nativeGroupInfo(TInt32 group);
