// Path text and file-system operations on paths held as UTF-16 text. Names keep every
// character: nothing is narrowed to 8 bits on the way to the file system.
#pragma once

#include "CAppsString.h"
#include "Vec.h"

#include <string>

namespace FileUtility {

// Replaces every "\" by "/".
CAppsString convertSeparators(const CAppsString& path);
// The base, one "/" and the relative path: "a/" and "/b" give "a/b". An empty side gives
// the other side.
CAppsString join(const CAppsString& base, const CAppsString& relative);
bool isRelative(const CAppsString& path);
// The path in the file system's own encoding, as the standard I/O streams take it.
std::string encodeName(const CAppsString& path);

// An empty path names nothing: the operations below fail for it instead of acting on the
// working directory.
bool fileExists(const CAppsString& path);
bool directoryExists(const CAppsString& path);
// Creates the directory with every missing ancestor.
bool makeDirectory(const CAppsString& path);
bool removeFile(const CAppsString& path);
// Removes the directory with everything in it. Symbolic links inside are removed, not
// followed; a symbolic link given as the directory is refused.
bool removeDirectory(const CAppsString& path);
// Renames or moves a file, first creating the directory that is to hold it. An existing
// target is not replaced.
bool renameFile(const CAppsString& from, const CAppsString& to);
bool renameDirectory(const CAppsString& from, const CAppsString& to);
// Append the names of the directory's plain files, or of its subdirectories, in the order
// the file system gives; symbolic links and names starting with "." are left out. False
// when the directory cannot be read.
bool listFiles(const CAppsString& directory, Vec<CAppsString>& names);
bool listDirectories(const CAppsString& directory, Vec<CAppsString>& names);

} // namespace FileUtility
