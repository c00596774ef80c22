// Image files of the application, read whole for decoding.
#pragma once

#include "FileSystemServices.h"
#include "OString.h"
#include "Types.h"

#include <vector>

// The bytes of the application file at `path`. An empty path raises
// InvalidArgumentException "Filename is empty"; a file that does not open raises
// IOException "Could not open file: " and the path; an empty file raises
// InvalidArgumentException "File is empty"; a failed read raises IOException. A file
// larger than the application's memory budget allows raises std::bad_alloc.
std::vector<TUint8> readImageFile(FileSystemServices& files, const OString& path);
