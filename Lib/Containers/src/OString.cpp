#include "OString.h"

#include "ErrorHandling.h"

#include <cstring>
#include <new>
#include <utility>

TInt32 OString::capacityFor(TInt32 n) {
    const auto scaled = static_cast<TInt32>(static_cast<TInt64>(n) * 6 / 5);
    return scaled < 10 ? 10 : scaled;
}

OString::TextBlock* OString::newBlock(TInt32 capacity) {
    const std::size_t bytes =
        sizeof(TextBlock) + (static_cast<std::size_t>(capacity) + 1) * sizeof(char16_t);
    auto* block = static_cast<TextBlock*>(::operator new(bytes));
    block->referenceCount = 1;
    block->capacity = capacity;
    block->length = 0;
    block->buffer()[0] = 0;
    return block;
}

void OString::release(TextBlock* block) {
    if (block && --block->referenceCount == 0) ::operator delete(block);
}

OString::OString(const OString& other) : GCObject(other), block(other.block) {
    if (block) ++block->referenceCount;
}

OString::OString(OString&& other) noexcept : block(std::exchange(other.block, nullptr)) {}

OString& OString::operator=(const OString& other) {
    if (other.block) ++other.block->referenceCount;
    release(block);
    block = other.block;
    return *this;
}

OString& OString::operator=(OString&& other) noexcept {
    if (this != &other) {
        release(block);
        block = std::exchange(other.block, nullptr);
    }
    return *this;
}

OString::~OString() { release(block); }

OString::OString(const char* latin1) : OString(latin1, static_cast<TInt32>(std::strlen(latin1))) {}

OString::OString(const char* latin1, TInt32 length) {
    if (length <= 0) return;
    block = newBlock(capacityFor(length));
    for (TInt32 i = 0; i < length; ++i)
        block->buffer()[i] = static_cast<unsigned char>(latin1[i]);
    block->length = length;
    block->buffer()[length] = 0;
}

OString::OString(const char16_t* units, TInt32 length) { append(units, length); }

char16_t OString::at(TInt32 index) const {
    if (index < 0 || index >= length()) throwError(EIndexOutOfBounds);
    return block->buffer()[index];
}

void OString::makeWritable(TInt32 needed) {
    if (block && block->referenceCount == 1 && block->capacity >= needed) return;
    TextBlock* fresh = newBlock(capacityFor(needed));
    if (block) {
        std::memcpy(fresh->buffer(), block->buffer(),
                    static_cast<std::size_t>(block->length + 1) * sizeof(char16_t));
        fresh->length = block->length;
    }
    release(block);
    block = fresh;
}

void OString::append(const char16_t* units, TInt32 count) {
    if (count <= 0) return;
    const TInt32 oldLength = length();
    makeWritable(oldLength + count);
    std::memcpy(block->buffer() + oldLength, units, static_cast<std::size_t>(count) * sizeof(char16_t));
    block->length = oldLength + count;
    block->buffer()[block->length] = 0;
}

void OString::append(const OString& other) {
    if (other.isEmpty()) return;
    // Keep the other's block alive while this string may release its own reference to it.
    const OString keep(other);
    append(keep.units(), keep.length());
}

bool OString::operator==(const OString& other) const {
    if (length() != other.length()) return false;
    if (block == other.block) return true;
    return std::memcmp(units(), other.units(), static_cast<std::size_t>(length()) * sizeof(char16_t)) == 0;
}
