#include "Utf8.h"

namespace Utf8 {

namespace {

bool inRange(TUint8 byte, TUint8 low, TUint8 high) {
    return byte >= low && byte <= high;
}

// Continuation bytes are 0x80 to 0xBF, except that the lead bytes E0, ED, F0 and F4 narrow
// the second byte to rule out overlong forms, surrogates and code points above U+10FFFF.
struct LeadRule {
    TInt32 length;
    TUint8 secondLow;
    TUint8 secondHigh;
};

LeadRule ruleFor(TUint8 lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (inRange(lead, 0xC2, 0xDF)) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (inRange(lead, 0xE1, 0xEF)) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    if (inRange(lead, 0xF1, 0xF3)) return {4, 0x80, 0xBF};
    return {0, 0, 0};
}

} // namespace

TInt32 sequenceLength(const TUint8* bytes, TInt32 count, TInt32 position) {
    if (position < 0 || position >= count) return 0;
    const LeadRule rule = ruleFor(bytes[position]);
    if (rule.length <= 1) return rule.length;
    if (count - position < rule.length) return 0;
    if (!inRange(bytes[position + 1], rule.secondLow, rule.secondHigh)) return 0;
    for (TInt32 i = 2; i < rule.length; ++i) {
        if (!inRange(bytes[position + i], 0x80, 0xBF)) return 0;
    }
    return rule.length;
}

TUint32 decodeSequence(const TUint8* sequence, TInt32 length) {
    static constexpr TUint8 leadPayload[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    TUint32 codePoint = sequence[0] & leadPayload[length];
    for (TInt32 i = 1; i < length; ++i)
        codePoint = (codePoint << 6) | (sequence[i] & 0x3Fu);
    return codePoint;
}

TInt64 encodedLength(std::u16string_view units) {
    TInt64 length = 0;
    for (const char16_t unit : units)
        length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
    return length;
}

TUint8* encode(std::u16string_view units, TUint8* target) {
    for (const char16_t unit : units) {
        if (unit < 0x80) {
            *target++ = static_cast<TUint8>(unit);
        } else if (unit < 0x800) {
            *target++ = static_cast<TUint8>(0xC0 | (unit >> 6));
            *target++ = static_cast<TUint8>(0x80 | (unit & 0x3F));
        } else {
            *target++ = static_cast<TUint8>(0xE0 | (unit >> 12));
            *target++ = static_cast<TUint8>(0x80 | ((unit >> 6) & 0x3F));
            *target++ = static_cast<TUint8>(0x80 | (unit & 0x3F));
        }
    }
    return target;
}

} // namespace Utf8
