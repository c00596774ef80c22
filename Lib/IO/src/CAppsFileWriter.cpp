#include "CAppsFileWriter.h"

bool CAppsFileWriter::write(const TUint8* data, TUint32 count) {
    return ownedStream() && ownedStream()->write(data, count);
}

bool CAppsFileWriter::writeByte(TUint8 value) {
    return ownedStream() && ownedStream()->writeByte(value);
}

bool CAppsFileWriter::writeByte(TInt8 value) {
    return writeByte(static_cast<TUint8>(value));
}

bool CAppsFileWriter::writeByteBufferToFile(const TUint8* aBuffer, int aNumberOfBytes) {
    KESTRO_ASSERT(aNumberOfBytes >= 0);
    return write(aBuffer, static_cast<TUint32>(aNumberOfBytes));
}
