// The platform's font, measured by Qt.
#pragma once

#include "CAppsFont.h"

#include <QFont>
#include <QFontMetrics>

class NativeFont : public CAppsFont {
public:
    explicit NativeFont(const QFont& font) : metrics(font) {}

    TInt32 ascent() const override { return metrics.ascent(); }
    TInt32 height() const override { return metrics.height(); }
    TInt32 stringWidth(const OString& text, TInt32 first, TInt32 length) const override;
    TInt32 fittingCharacters(const OString& text, TInt32 first, TInt32 length,
                             TInt32 maximum) const override;
    FontType fontType() const override { return ENativeFont; }

private:
    QFontMetrics metrics;
};
