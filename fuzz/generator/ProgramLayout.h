// The shape every generated program shares: what its global words hold, its classes and
// the texts of its strings. Values live in globals ("registers") so that a statement can
// reach them whatever it did to the operand stack.
#pragma once

#include <array>
#include <string_view>

namespace ProgramLayout {

// What a register holds after the start-up; statements may store anything there.
enum class Kind { Integer, String, Object, Long, Any, KindCount };
inline constexpr int kKindCount = static_cast<int>(Kind::KindCount);
inline constexpr int kRegistersPerKind = 4;
// The global word of register `n` of a kind.
constexpr int registerWord(Kind kind, int n) {
    return static_cast<int>(kind) * kRegistersPerKind + n;
}

// Array variables (two words each) follow the registers; array i has elements of
// kArrayElementSizes[i] bytes, and the native group of its element kind.
inline constexpr int kArrayCount = 8;
inline constexpr int kFirstArrayWord = kKindCount * kRegistersPerKind;
inline constexpr std::array<int, kArrayCount> kArrayElementSizes = {1, 4, 8, 12, 16, 4, 4, 1};
inline constexpr std::array<int, kArrayCount> kArrayGroups = {1, 3, 4, 5, 6, 7, 7, 1};
constexpr int arrayWord(int n) {
    return kFirstArrayWord + 2 * n;
}

// The object every statement throws to reset the stack, the loop counters, and scratch
// words that careful programs fill and copy blocks of words to.
inline constexpr int kResetExceptionWord = kFirstArrayWord + 2 * kArrayCount;
inline constexpr int kCounterCount = 4;
inline constexpr int kFirstCounterWord = kResetExceptionWord + 1;
inline constexpr int kScratchWords = 8;
inline constexpr int kFirstScratchWord = kFirstCounterWord + kCounterCount;
inline constexpr int kGlobalWords = kFirstScratchWord + kScratchWords;

// Classes, in module order. Objects have kObjectWords words: the class index, then
// fields; fields 3-4 and 5-6 are array variables (of references and of values).
inline constexpr std::array<std::string_view, 5> kClassNames = {"Error", "Base", "Derived", "App",
                                                                "Listener"};
inline constexpr int kObjectWords = 9;
inline constexpr int kPlainFields[] = {1, 2, 7, 8};
inline constexpr int kReferenceArrayField = 3;
inline constexpr int kValueArrayField = 5;

// String constants, as written in the source.
inline constexpr std::array<std::string_view, 20> kTexts = {
    "",
    "a",
    "Hello",
    "hello world",
    "12345",
    "-42",
    "3.25",
    "0x1F",
    " spaced\\t text ",
    "\\u{c4}\\u{d6}\\u{dc} \\u{e9}",
    "\\u{1f600}x\\u{10ffff}",
    "a,b,,c",
    "line\\nbreak\\r\\n",
    "\\0",
    "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
    "ABCabc",
    "2147483648",
    "-2147483648",
    "1e10",
    "/path/../file.txt",
};

} // namespace ProgramLayout
