// Application text as Qt text: the same UTF-16 units.
#pragma once

#include "OString.h"
#include "Types.h"

#include <QString>

// The units first .. first + length - 1 of the text, a range inside it.
inline QString qtText(const OString& text, TInt32 first, TInt32 length) {
    return QString(reinterpret_cast<const QChar*>(text.view().data() + first), length);
}
