// OString storage: the shared text block, copy-on-write and the one editing primitive,
// splice(), through which every change of length goes.
#include "OString.h"

#include "ErrorCodes.h"
#include "SmallBlocks.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <utility>

TInt32 OString::checkedLength(TInt64 length) {
    if (length > MaxLength) throwError(EInvalidArgument);
    return static_cast<TInt32>(length);
}

TInt32 OString::capacityFor(TInt32 n) {
    const auto scaled = static_cast<TInt32>(static_cast<TInt64>(n) * 6 / 5);
    return std::max(scaled, 10);
}

std::size_t OString::blockBytes(TInt32 capacity) {
    return sizeof(TextBlock) + (static_cast<std::size_t>(capacity) + 1) * sizeof(char16_t);
}

OString::TextBlock* OString::newBlock(TInt32 capacity) {
    const std::size_t bytes = blockBytes(capacity);
    auto* block = static_cast<TextBlock*>(SmallBlocks::allocate(bytes));
    block->referenceCount = 1;
    block->capacity = capacity;
    block->length = 0;
    block->buffer()[0] = 0;
    return block;
}

OString::TextBlock* OString::blockOfLength(TInt64 length) {
    const TInt32 checked = checkedLength(length);
    TextBlock* block = newBlock(capacityFor(checked));
    block->buffer()[checked] = 0;
    block->length = checked;
    return block;
}

void OString::release(TextBlock* block) {
    if (block && --block->referenceCount == 0)
        SmallBlocks::release(block, blockBytes(block->capacity));
}

OString::OString(const OString& other) : GCObject(other), pBuffer(other.pBuffer) {
    if (pBuffer) ++pBuffer->referenceCount;
}

OString::OString(OString&& other) noexcept : pBuffer(std::exchange(other.pBuffer, nullptr)) {}

OString& OString::operator=(const OString& other) {
    if (other.pBuffer) ++other.pBuffer->referenceCount;
    release(pBuffer);
    pBuffer = other.pBuffer;
    return *this;
}

OString& OString::operator=(OString&& other) noexcept {
    if (this != &other) {
        release(pBuffer);
        pBuffer = std::exchange(other.pBuffer, nullptr);
    }
    return *this;
}

OString::~OString() {
    release(pBuffer);
}

OString::OString(const char* latin1)
    : OString(latin1, checkedLength(static_cast<TInt64>(std::strlen(latin1)))) {}

OString::OString(const char* latin1, TInt32 length) {
    if (length <= 0) return;
    pBuffer = blockOfLength(length);
    char16_t* target = pBuffer->buffer();
    for (TInt32 i = 0; i < length; ++i)
        target[i] = static_cast<unsigned char>(latin1[i]);
}

OString::OString(const char16_t* units, TInt32 length) {
    append(units, length);
}

OString::OString(std::u16string_view units) {
    if (units.empty()) return;
    pBuffer = blockOfLength(static_cast<TInt64>(units.size()));
    std::copy(units.begin(), units.end(), pBuffer->buffer());
}

OString OString::filled(char16_t unit, TInt32 count) {
    if (count < 0) throwError(EInvalidArgument);
    OString text;
    if (count == 0) return text;
    text.pBuffer = blockOfLength(count);
    std::fill_n(text.pBuffer->buffer(), count, unit);
    return text;
}

char16_t OString::at(TInt32 index) const {
    if (index < 0 || index >= length()) throwError(EIndexOutOfBounds);
    return pBuffer->buffer()[index];
}

int OString::outsideHeapSize() const {
    if (!pBuffer) return 0;
    const TInt64 bytes = static_cast<TInt64>(sizeof(TextBlock)) +
                         (static_cast<TInt64>(pBuffer->capacity) + 1) * sizeof(char16_t);
    return static_cast<int>(std::min<TInt64>(bytes, std::numeric_limits<int>::max()));
}

TextRange OString::checkedRange(TextRange range) const {
    const TInt32 size = length();
    if (range.to == TextRange::ToEnd) range.to = size - 1;
    const bool isEmptyRange = range.from == 0 && range.to == -1;
    if (!isEmptyRange && (range.from < 0 || range.from > range.to || range.to >= size))
        throwError(ERange);
    return range;
}

void OString::append(const char16_t* units, TInt32 count) {
    if (count > 0) splice(length(), 0, {units, static_cast<std::size_t>(count)});
}

void OString::splice(TInt32 index, TInt32 removed, std::u16string_view inserted) {
    if (removed == 0 && inserted.empty()) return;
    const TInt32 oldLength = length();
    KESTRO_ASSERT(index >= 0 && removed >= 0 && removed <= oldLength - index);
    const TInt32 added = checkedLength(static_cast<TInt64>(inserted.size()));
    const TInt32 newLength = checkedLength(static_cast<TInt64>(oldLength) - removed + added);
    if (newLength == 0) {
        release(std::exchange(pBuffer, nullptr));
        return;
    }
    const TInt32 tailLength = oldLength - index - removed;
    const bool appends = tailLength == 0 && removed == 0;
    if (!holdsUnits(inserted) &&
        (canEditInPlace(newLength) || (appends && growUnshared(newLength)))) {
        char16_t* target = pBuffer->buffer();
        if (tailLength > 0) // nothing moves for an append
            std::memmove(target + index + added, target + index + removed,
                         static_cast<std::size_t>(tailLength) * sizeof(char16_t));
        std::copy(inserted.begin(), inserted.end(), target + index);
        target[newLength] = 0;
        pBuffer->length = newLength;
        return;
    }
    const char16_t* oldUnits = units();
    const char16_t* tail = oldUnits + index + removed;
    TextBlock* fresh = newBlock(capacityFor(newLength));
    char16_t* target = fresh->buffer();
    target = std::copy_n(oldUnits, index, target);
    target = std::copy(inserted.begin(), inserted.end(), target);
    *std::copy_n(tail, tailLength, target) = 0;
    fresh->length = newLength;
    release(std::exchange(pBuffer, fresh));
}

// A string that grows by appending keeps its block when no other string shares it: the
// block is resized to the capacity a new one would get, which for a long text moves no
// units at all (the allocator remaps its pages).
bool OString::growUnshared(TInt32 newLength) {
    if (!pBuffer || pBuffer->referenceCount != 1) return false;
    const TInt32 capacity = capacityFor(newLength);
    pBuffer = static_cast<TextBlock*>(
        SmallBlocks::resize(pBuffer, blockBytes(pBuffer->capacity), blockBytes(capacity)));
    pBuffer->capacity = capacity;
    return true;
}

bool OString::canEditInPlace(TInt32 newLength) const {
    if (!pBuffer || pBuffer->referenceCount != 1 || newLength > pBuffer->capacity) return false;
    // A string that shrinks to half its block or less moves into a smaller block, when the
    // capacity rule gives a smaller one.
    const bool shrinks = newLength < pBuffer->length &&
                         2 * static_cast<TInt64>(newLength) <= pBuffer->capacity &&
                         capacityFor(newLength) < pBuffer->capacity;
    return !shrinks;
}

bool OString::holdsUnits(std::u16string_view text) const {
    if (!pBuffer || text.empty()) return false;
    const std::less_equal<const char16_t*> notAfter;
    const char16_t* first = pBuffer->buffer();
    return notAfter(first, text.data()) && notAfter(text.data(), first + pBuffer->capacity);
}

char16_t* OString::editableUnits() {
    if (pBuffer && pBuffer->referenceCount > 1) {
        const TInt32 size = length();
        TextBlock* fresh = newBlock(capacityFor(size));
        std::copy_n(pBuffer->buffer(), size + 1, fresh->buffer());
        fresh->length = size;
        release(std::exchange(pBuffer, fresh));
    }
    return pBuffer ? pBuffer->buffer() : nullptr;
}
