// OString parts: substrings and sampled characters.
#include "OString.h"

#include "CAppsString.h"
#include "ErrorCodes.h"

OString OString::substring(TextRange range) const {
    const TextRange checked = checkedRange(range);
    if (checked.count() == length()) return *this;
    return OString(view().substr(static_cast<std::size_t>(checked.from),
                                 static_cast<std::size_t>(checked.count())));
}

OString OString::everyNth(TInt32 step, TextRange range) const {
    const TextRange checked = checkedRange(range);
    if (checked.count() == 0) return {};
    if (step < 1) throwError(EInvalidArgument);
    if (step == 1) return substring(checked);
    CAppsString sampled;
    sampled.reserve(static_cast<TInt32>((static_cast<TInt64>(checked.count()) + step - 1) / step));
    for (TInt64 i = checked.from; i <= checked.to; i += step)
        sampled.append(units()[i]);
    return sampled.toOString();
}
