// Turns the fuzzer's bytes into the assembly source of a module that is mostly valid:
// the start-up fills registers with strings, objects, longs and arrays; functions, class
// methods and the application's event methods run statements over them (natives with
// operands of many kinds, allocation, memory access, forged records, calls, loops that
// end, protected regions and throws), so that execution goes deep before anything can
// stop it.
#pragma once

#include "FuzzChoices.h"

#include <string>

std::string generateProgram(FuzzChoices& choices);
