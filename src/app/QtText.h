// The host's texts between Qt's strings and the machine's UTF-16 strings.
#pragma once

#include "CAppsString.h"

#include <QString>

inline CAppsString appsStringOf(const QString& text) {
    CAppsString converted;
    converted.append(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<std::size_t>(text.size())));
    return converted;
}

inline QString qStringOf(const CAppsString& text) {
    const std::u16string_view units = text.view();
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}
