// Offsets within a standard I/O file as 32-bit values, shared by the file streams. A
// null file, a failing ftell or fseek and an offset beyond 32 bits all count as failure.
#pragma once

#include "Types.h"

#include <cstdio>
#include <optional>

namespace KESTRO::FileOffsets {

std::optional<TUint32> position(std::FILE* file);
// The length of the file; the position is the same afterwards.
std::optional<TUint32> size(std::FILE* file);
// Moves to target from the start; target may equal the size but not exceed it. On
// failure the position stays where it was.
bool seek(std::FILE* file, TUint32 target);

} // namespace KESTRO::FileOffsets
