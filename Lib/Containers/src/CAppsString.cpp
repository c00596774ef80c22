#include "CAppsString.h"

#include "ErrorCodes.h"

#include <algorithm>
#include <limits>

void CAppsString::append(std::u16string_view units) {
    const TInt32 start = size();
    const TInt64 needed = start + static_cast<TInt64>(units.size());
    const TInt64 largest = std::numeric_limits<TInt32>::max();
    if (needed > largest) throwError(EInvalidArgument);
    // Grow as appending unit by unit would, so that building text stays amortised.
    if (needed > capacity()) {
        const TInt64 grown = static_cast<TInt64>(start) * 5 / 4 + 8;
        reserve(static_cast<TInt32>(std::min(std::max(needed, grown), largest)));
    }
    resize(static_cast<TInt32>(needed));
    std::copy(units.begin(), units.end(), data() + start);
}

void CAppsString::append(const char* latin1) {
    for (; *latin1 != 0; ++latin1)
        append(static_cast<char16_t>(static_cast<unsigned char>(*latin1)));
}
