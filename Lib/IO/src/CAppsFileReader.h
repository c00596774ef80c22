// Reads bytes from a stream it owns: a file stream handed over, or a copy of a buffer.
#pragma once

#include "FileStreamOwner.h"
#include "Stream.h"

class CAppsFileReader : public FileStreamOwner<KESTRO::InputStream> {
public:
    using FileStreamOwner::FileStreamOwner;
    CAppsFileReader() = default;
    // Reads from a copy of the buffer.
    CAppsFileReader(const TUint8* aBuffer, TUint32 aSize);

    // True when exactly count bytes were read.
    bool read(TUint8* aBuffer, TUint32 count);
    // The next byte as its stream gives it; 0 without a stream.
    int readByte();
};
