// Turns assembly source into a module image.
#pragma once

#include "ModuleImage.h"

#include <stdexcept>
#include <string>

class AssemblyError : public std::runtime_error {
public:
    AssemblyError(int aLine, const std::string& message)
        : std::runtime_error(message), line(aLine) {}
    int line;
};

// Raises AssemblyError with the line (1-based) of the first problem.
ModuleImage assemble(const std::string& source);
