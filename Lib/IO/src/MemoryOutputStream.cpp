#include "Stream.h"

namespace KESTRO {

MemoryOutputStream::MemoryOutputStream() : buffer(new Vec<unsigned char>()), ownsBuffer(true) {
    openFlag = true;
}

MemoryOutputStream::MemoryOutputStream(Vec<unsigned char>& target) : buffer(&target) {
    openFlag = true;
}

MemoryOutputStream::~MemoryOutputStream() {
    close();
}

bool MemoryOutputStream::writeByte(int value) {
    if (!reportFailure(buffer && writePosition >= 0 && writePosition <= buffer->size()))
        return false;
    const auto byte = static_cast<unsigned char>(value & 0xFF);
    if (writePosition == buffer->size()) {
        buffer->append(byte);
    } else {
        (*buffer)[writePosition] = byte;
    }
    ++writePosition;
    return isOpen();
}

bool MemoryOutputStream::write(const TUint8* data, TUint32 count) {
    for (TUint32 index = 0; index < count; ++index) {
        if (!writeByte(data[index])) return false;
    }
    return true;
}

TUint32 MemoryOutputStream::size() {
    return buffer ? static_cast<TUint32>(buffer->size()) : 0;
}

TUint32 MemoryOutputStream::position() {
    return writePosition < 0 ? 0 : static_cast<TUint32>(writePosition);
}

bool MemoryOutputStream::seek(TUint32 target) {
    writePosition = static_cast<TInt32>(target);
    return reportFailure(buffer && target <= size());
}

void MemoryOutputStream::close() {
    openFlag = false;
    if (ownsBuffer) delete buffer;
    buffer = nullptr;
    ownsBuffer = false;
}

} // namespace KESTRO
