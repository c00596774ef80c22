// Prints a module image as assembly source that reassembles to the same bytes.
#pragma once

#include "ModuleImage.h"

#include <string>

std::string disassemble(const ModuleImage& image);
