// OString to and from UTF-8.
#include "OString.h"

#include "CAppsString.h"
#include "ErrorCodes.h"
#include "Utf8.h"

#include <limits>

OString OString::fromUtf8(const TUint8* bytes, TInt32 count) {
    CAppsString decoded;
    if (count > 0) decoded.reserve(count);
    for (TInt32 position = 0; position < count;) {
        const TInt32 length = Utf8::sequenceLength(bytes, count, position);
        if (length == 0) throwError(EDataFormat);
        // Code points above U+FFFF keep only their low 16 bits.
        decoded.append(static_cast<char16_t>(Utf8::decodeSequence(bytes + position, length)));
        position += length;
    }
    return decoded.toOString();
}

Vec<TUint8> OString::toUtf8() const {
    const TInt64 length = Utf8::encodedLength(view());
    if (length > std::numeric_limits<TInt32>::max()) throwError(EInvalidArgument);
    Vec<TUint8> bytes;
    bytes.resize(static_cast<TInt32>(length));
    Utf8::encode(view(), bytes.data());
    return bytes;
}
