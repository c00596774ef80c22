// Where the application's files live: the working directory, or "/opt/<program name>"
// when the first argument is "--auto".
#pragma once

#include "CAppsString.h"

#include <optional>
#include <string>

// The directory, or nothing when "--auto" makes a path longer than 4096 bytes (the
// caller reports it).
std::optional<CAppsString> applicationDirectory(int argc, char** argv);

// The program path's text after its last '/'.
std::string programBaseName(const char* programPath);
