// Writes bytes to a stream it owns.
#pragma once

#include "FileStreamOwner.h"
#include "Stream.h"

class CAppsFileWriter : public FileStreamOwner<KESTRO::OutputStream> {
public:
    using FileStreamOwner::FileStreamOwner;

    // True when all count bytes were written.
    bool write(const TUint8* data, TUint32 count);
    bool writeByte(TUint8 value);
    bool writeByte(TInt8 value);
    // A negative count is an internal error.
    bool writeByteBufferToFile(const TUint8* aBuffer, int aNumberOfBytes);
};
