// Where the application's files live: the working directory, or "/opt/<program name>"
// when the first argument is "--auto".
#pragma once

#include <optional>
#include <string>

// The directory, or nothing when "--auto" makes a path longer than the host accepts
// (the caller reports it).
std::optional<std::string> applicationDirectory(int argc, char** argv);

// The program path's text after its last '/'.
std::string programBaseName(const char* programPath);
