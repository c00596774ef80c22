// Writes a module image back into the bytes of a module file.
#pragma once

#include "ModuleImage.h"

#include <vector>

// The smallest of the widths 1, 2 and 4 that holds the value.
int widthFor(TUint32 value);
// Whether the value fits into a field of that width.
bool fitsWidth(TUint32 value, int width);

std::vector<TUint8> writeModule(const ModuleImage& image);
