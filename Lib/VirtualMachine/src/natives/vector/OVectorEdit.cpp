// OVector bulk editing: the in-place and new-storage rules of insertion, removal and
// replacement that the array natives share.
#include "OVector.h"

#include "ErrorHandling.h"
#include "VMHeap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr TInt64 kLargestStorage = 0x7FFFFFFF;

// The view's checks keep every count within its storage, so the bytes fit in 32 bits;
// the product is still taken in 64 bits and checked, never allowed to wrap.
TUint32 bytesOf(TInt32 elements, TInt32 width) {
    const TInt64 bytes = TInt64{elements} * width;
    KESTRO_ASSERT(bytes >= 0 && bytes <= TInt64{UINT32_MAX});
    return static_cast<TUint32>(bytes);
}

} // namespace

TVMAddress OVector::createInVariable(VMHeap& heap, TInt32 elementSize, GcCode variableCode) {
    const auto [vector, variable] =
        heap.createPair(kRecordBytes, 0, GC_CODE_VECTOR, 8, 0, variableCode);
    heap.memory().store32(vector + ETypeTag, static_cast<TUint32>(elementSize));
    heap.memory().store32(variable, vector);
    return variable;
}

void OVector::requireStorable(TInt64 elements, TInt32 elementSize) {
    const TInt64 capacity = std::max<TInt64>(elements * 6 / 5, 10);
    if (elements > kLargestStorage || capacity * elementSize > kLargestStorage)
        throwError(EInvalidArgument);
}

std::vector<TUint8> OVector::elementBytes(TInt32 index, TInt32 n) const {
    if (index < 0 || n < 0 || TInt64{index} + n > count) throwError(EIndexOutOfBounds);
    std::vector<TUint8> bytes(bytesOf(n, width));
    if (n > 0)
        std::memcpy(bytes.data(), space.hostPointer(elementAddress(index), bytes.size()),
                    bytes.size());
    return bytes;
}

void OVector::splice(TInt32 index, TInt32 removed, std::span<const TUint8> inserted) {
    KESTRO_ASSERT(index >= 0 && removed >= 0 && TInt64{index} + removed <= count);
    if (removed == 0 && inserted.empty()) return;
    const auto added = static_cast<TInt64>(inserted.size() / static_cast<std::size_t>(width));
    const TInt64 newCount = TInt64{count} - removed + added;
    requireStorable(newCount, width);
    if (newCount == 0) {
        releaseStorage();
        return;
    }
    if (keepsStorage(static_cast<TInt32>(newCount), added == 0))
        spliceInPlace(index, removed, inserted);
    else
        spliceIntoNewStorage(index, removed, inserted, static_cast<TInt32>(newCount));
    count = static_cast<TInt32>(newCount);
    space.store32(record + ESize, static_cast<TUint32>(count));
}

void OVector::fillRepeated(std::span<const TUint8> element, TInt32 times) {
    KESTRO_ASSERT(count == 0 && times >= 0 && element.size() == static_cast<std::size_t>(width));
    if (times == 0) return;
    requireStorable(times, width);
    const TInt32 newRoom = capacityFor(times);
    const TVMAddress fresh = heap.allocateBytes(bytesOf(newRoom, width), GC_CODE_DATA);
    auto* target = static_cast<TUint8*>(space.hostPointer(fresh, bytesOf(newRoom, width)));
    // New storage reads as zero: copies of a zero element are there already.
    if (std::any_of(element.begin(), element.end(), [](TUint8 byte) { return byte != 0; }))
        copyRepeatedly(element, {target, bytesOf(times, width)});
    storage = fresh;
    room = newRoom;
    count = times;
    space.store32(record + EStorage, storage);
    space.store32(record + ECapacity, static_cast<TUint32>(room));
    space.store32(record + ESize, static_cast<TUint32>(count));
}

void OVector::copyRepeatedly(std::span<const TUint8> element, std::span<TUint8> target) {
    if (target.empty()) return;
    std::copy(element.begin(), element.end(), target.begin());
    for (std::size_t filled = element.size(); filled < target.size();) {
        const std::size_t more = std::min(filled, target.size() - filled);
        std::memcpy(target.data() + filled, target.data(), more);
        filled += more;
    }
}

// The collector keeps an array's storage alive only while the array holds elements, so
// the storage of an empty array is never used again.
bool OVector::keepsStorage(TInt32 newCount, bool removalOnly) const {
    if (count == 0 || newCount > room) return false;
    if (!removalOnly) return true;
    return 2 * TInt64{newCount} > room || capacityFor(newCount) >= room;
}

void OVector::spliceInPlace(TInt32 index, TInt32 removed, std::span<const TUint8> inserted) {
    auto* bytes = static_cast<TUint8*>(space.hostPointer(storage, bytesOf(room, width)));
    const TUint32 at = bytesOf(index, width);
    const TUint32 gap = bytesOf(removed, width);
    const TUint32 tail = bytesOf(count - index - removed, width);
    const auto added = static_cast<TUint32>(inserted.size());
    std::memmove(bytes + at + added, bytes + at + gap, tail);
    std::copy(inserted.begin(), inserted.end(), bytes + at);
    // Slots given up return to zero, as in new storage.
    if (added < gap) std::memset(bytes + at + added + tail, 0, gap - added);
}

void OVector::spliceIntoNewStorage(TInt32 index, TInt32 removed, std::span<const TUint8> inserted,
                                   TInt32 newCount) {
    const TInt32 newRoom = capacityFor(newCount);
    const TVMAddress fresh = heap.allocateBytes(bytesOf(newRoom, width), GC_CODE_DATA);
    auto* target = static_cast<TUint8*>(space.hostPointer(fresh, bytesOf(newRoom, width)));
    const TUint32 front = bytesOf(index, width);
    std::copy(inserted.begin(), inserted.end(), target + front);
    if (count > 0) {
        const auto* source =
            static_cast<const TUint8*>(space.hostPointer(storage, bytesOf(count, width)));
        std::memcpy(target, source, front);
        std::memcpy(target + front + inserted.size(), source + front + bytesOf(removed, width),
                    bytesOf(count - index - removed, width));
    }
    storage = fresh;
    room = newRoom;
    space.store32(record + EStorage, storage);
    space.store32(record + ECapacity, static_cast<TUint32>(room));
}

void OVector::releaseStorage() {
    storage = 0;
    room = 0;
    count = 0;
    space.store32(record + EStorage, 0);
    space.store32(record + ECapacity, 0);
    space.store32(record + ESize, 0);
}
