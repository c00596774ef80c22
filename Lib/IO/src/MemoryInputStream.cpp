#include "Stream.h"

#include <cstring>

namespace KESTRO {

MemoryInputStream::MemoryInputStream(const std::vector<TUint8>& content) : bytes(content) {
    openFlag = true;
}

int MemoryInputStream::readByte() {
    if (!reportFailure(readPosition < bytes.size())) return 0;
    return bytes[readPosition++];
}

bool MemoryInputStream::read(TUint8* buffer, TUint32 count) {
    if (!reportFailure(readPosition <= bytes.size() && count <= bytes.size() - readPosition)) {
        readPosition = size();
        return false;
    }
    if (count > 0) std::memcpy(buffer, bytes.data() + readPosition, count);
    readPosition += count;
    return true;
}

TUint32 MemoryInputStream::size() {
    return static_cast<TUint32>(bytes.size());
}

TUint32 MemoryInputStream::position() {
    return readPosition;
}

bool MemoryInputStream::seek(TUint32 target) {
    readPosition = target;
    return reportFailure(target < bytes.size());
}

bool MemoryInputStream::atEnd() {
    return readPosition >= bytes.size();
}

void MemoryInputStream::close() {}

void MemoryInputStream::setBuffer(const TUint8* aBuffer, TUint32 count) {
    KESTRO_ASSERT(aBuffer);
    bytes.assign(aBuffer, aBuffer + count);
    readPosition = 0;
    openFlag = true;
}

} // namespace KESTRO
