// Spelling shared by the assembler and the disassembler.
#pragma once

#include "ModuleImage.h"

#include <optional>
#include <string>

// Text in double quotes with the language's escapes; bytes of 0x80 and above are kept
// as they are (the module's strings are UTF-8).
std::string quoteText(const std::string& bytes);

// The opcode with that mnemonic.
std::optional<TUint8> opcodeNamed(const std::string& mnemonic);

// The native group or GC code with that assembler name.
std::optional<TInt32> nativeGroupNamed(const std::string& name);
std::optional<TInt32> gcCodeNamed(const std::string& name);

// The index widths the assembler chooses when a record does not give one.
TUint8 defaultFieldWidth(const ModuleImage::ClassRecord& record);
TUint8 defaultSlotWidth(const ModuleImage::FrameLayout& frame);
