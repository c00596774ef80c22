// The application path policy: application paths are relative to the application
// directory, use '/' as separator and may not climb out of it.
#pragma once

#include "CAppsString.h"
#include "OString.h"

#include <string>

// Not empty, and none of "..", ":" and "|" anywhere in it.
bool isValidPath(const OString& path);
// The path with normalised separators, without doubled ones, joined to the directory.
CAppsString resolvePath(const CAppsString& directory, const OString& path);
// The resolved path as the file system expects it.
std::string fileSystemPath(const CAppsString& directory, const OString& path);
