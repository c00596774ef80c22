// Turns assembly source into a module image.
#pragma once

#include "ModuleImage.h"
#include "SourceExpander.h"

#include <string>

// Raise AssemblyError with the origin of the first problem. A text is named `name` in
// origins and includes files relative to the working directory.
ModuleImage assemble(const std::string& source, const std::string& name = "source");
ModuleImage assembleFile(const std::string& path);
