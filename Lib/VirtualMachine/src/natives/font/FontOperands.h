// Font and text operands, shared by the Font natives and the text drawing of the Graphics
// natives, and the cells that hold new fonts.
#pragma once

#include "CAppsFont.h"
#include "NativeCall.h"

#include <memory>

// The font in the cell of a font operand, null when the cell holds none. A null reference
// raises NullPointerException "NULL pointer"; a cell holding another object raises
// VMException "Invalid object type ID".
CAppsFont* fontOperand(NativeCall& call);
// A string operand, after a range operand when `hasRange` (else the whole string). The
// range is checked against the string (checkRange); a negative length reaches the end.
TextRun textOperand(NativeCall& call, bool hasRange);
// A new cell holding the font; no font (a picture the host cannot read) raises
// InvalidArgumentException with an empty message.
TVMAddress newFontCell(NativeCall& call, std::unique_ptr<CAppsFont> font);
