// The instruction tables of the assembly language's documentation, printed from the opcode
// table so that the two cannot disagree.
#pragma once

#include <string>

// Markdown: a heading and a table for each group of instructions.
std::string instructionTables();
