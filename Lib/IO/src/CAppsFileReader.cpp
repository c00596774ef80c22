#include "CAppsFileReader.h"

namespace {

std::unique_ptr<KESTRO::InputStream> memoryStream(const TUint8* buffer, TUint32 size) {
    auto stream = std::make_unique<KESTRO::MemoryInputStream>();
    stream->setBuffer(buffer, size);
    return stream;
}

} // namespace

CAppsFileReader::CAppsFileReader(const TUint8* aBuffer, TUint32 aSize)
    : FileStreamOwner(memoryStream(aBuffer, aSize)) {}

bool CAppsFileReader::read(TUint8* aBuffer, TUint32 count) {
    return ownedStream() && ownedStream()->read(aBuffer, count);
}

int CAppsFileReader::readByte() {
    return ownedStream() ? ownedStream()->readByte() : 0;
}
