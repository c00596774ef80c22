// CAppsString: a growable buffer of UTF-16 code units for assembling text. Unlike OString
// it never shares its storage.
#pragma once

#include "OString.h"
#include "Types.h"
#include "Vec.h"

#include <string_view>

class CAppsString : public Vec<char16_t> {
public:
    CAppsString() = default;
    explicit CAppsString(const OString& text) { append(text); }
    // Each byte becomes the code unit of the same value (Latin-1).
    explicit CAppsString(const char* latin1) { append(latin1); }

    using Vec<char16_t>::append;
    void append(std::u16string_view units);
    void append(const OString& text) { append(text.view()); }
    void append(const char* latin1);
    // Decimal text, with a leading '-' for negative values.
    void appendNumber(TInt64 value) { append(OString::number(value)); }

    std::u16string_view view() const { return {data(), static_cast<std::size_t>(size())}; }
    OString toOString() const { return OString(view()); }
};
