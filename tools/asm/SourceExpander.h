// Reads assembly source with the files it includes and expands its macros, so that the
// assembler sees plain lines.
#pragma once

#include "SourceLexer.h"

#include <stdexcept>
#include <string>
#include <vector>

// One line to assemble and where it comes from: "FILE:LINE", and for a line that a macro
// wrote, ": in macro NAME (FILE:LINE)" for each macro it came through, the line of the
// macro's body last.
struct SourceLine {
    std::vector<Token> tokens;
    std::string origin;
};

class AssemblyError : public std::runtime_error {
public:
    AssemblyError(std::string anOrigin, const std::string& message)
        : std::runtime_error(message), origin(std::move(anOrigin)) {}
    std::string origin;
};

// The lines of the file at the path, or of a text (named `name` in origins; it includes
// files relative to the working directory). Raises AssemblyError.
std::vector<SourceLine> expandFile(const std::string& path);
std::vector<SourceLine> expandText(const std::string& text, const std::string& name);
