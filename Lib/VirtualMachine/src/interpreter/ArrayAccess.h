// The look-ups of the array natives, made again by the interpreter's own entries for them:
// each succeeds only where the native finds what it needs without an error, so that the
// native itself runs, and raises the error, whenever one fails.
#pragma once

#include "AddressSpace.h"
#include "OVector.h"

#include <cstring>

namespace arrayAccess {

struct Array {
    TVMAddress storage;
    TUint32 size;
};

// The words of an array record: {type tag, storage} and {capacity, size}.
struct RecordWords {
    TUint64 tagAndStorage;
    TUint64 capacityAndSize;
    bool operator==(const RecordWords&) const = default;
};

// The array that the array variable at `variable` holds, when the variable lies in the
// machine's memory, its array is not null, the array record (whose address and words it
// gives) is sound and its elements are `width` bytes wide.
inline bool find(const AddressSpace& space, TVMAddress variable, TUint32 width, Array& array,
                 TVMAddress& record, RecordWords& words) {
    if (!space.contains(variable, 4)) return false;
    std::memcpy(&record, space.hostPointerOfContained(variable), 4);
    if (!space.contains(record, OVector::kRecordBytes)) return false;
    std::memcpy(&words, space.hostPointerOfContained(record), sizeof words);
    const auto tag = static_cast<TUint32>(words.tagAndStorage);
    const auto storage = static_cast<TVMAddress>(words.tagAndStorage >> 32);
    const auto room = static_cast<TUint32>(words.capacityAndSize);
    const auto size = static_cast<TUint32>(words.capacityAndSize >> 32);
    // As signed numbers, 0 <= size <= room.
    if (tag != width || room > INT32_MAX || size > room) return false;
    // In 64 bits: a forged capacity times the width must not wrap into a small size.
    const TUint64 storageBytes = TUint64{room} * width;
    if (room > 0 &&
        (storageBytes > UINT32_MAX || !space.contains(storage, static_cast<TUint32>(storageBytes))))
        return false;
    array = {storage, size};
    return true;
}

// Whether the spans [at, at + bytes) and [other, other + otherBytes) share a byte.
inline bool overlap(TUint64 at, TUint64 bytes, TUint64 other, TUint64 otherBytes) {
    return at < other + otherBytes && other < at + bytes;
}

// The arrays found lately, by the address of their variable, and those of variables in
// stack slots also by the slot's number (in a table of their own, so that neither look-up
// needs the other's key). While the variable holds the same record and the record the same
// words, the array passes the checks again (the committed memory never shrinks): comparing
// them costs a few loads, where checking a record costs a dozen tests. Nothing needs to
// forget an entry.
//
// Only arrays whose record and storage lie outside the operand stack, and apart from each
// other, are remembered: neither a write into a stack slot nor one into an element then
// changes a remembered record's words, so that an entry that found an array and then
// writes only those knows that the record still holds the same words.
//
// A look-up only compares; when it misses, its caller has the array checked in full and
// remembered, and then looks it up again, which finds it: nothing the look-up needs has to
// be kept at hand across that rare call.
class FoundArrays {
    struct Entry;

public:
    // `slots`: the address of the operand stack's slot 0, a multiple of 4 with 16 bytes in
    // memory there; `bytesOfStack`: the bytes of the whole stack from there. Each entry by
    // address starts with a variable that another entry would hold, which no look-up in it
    // can match; every entry starts with a record at `slots`, whose words, the type tag 0
    // among them, never pass for an array. `space` is the one that every look-up passes.
    FoundArrays(const AddressSpace& space, TVMAddress slots, TUint32 bytesOfStack)
        : checkedSpace(space), stack(slots), stackBytes(bytesOfStack) {
        KESTRO_ASSERT(slots % 4 == 0);
        for (TUint32 i = 0; i < kEntries; ++i) {
            entries[i] = {4 * ((i + 1) % kEntries), slots, {}};
            slotEntries[i] = {0, slots, {}};
        }
    }

    // The array remembered for the array variable at `variable`, of elements `width` bytes
    // wide, while the variable still holds it.
    [[gnu::always_inline]] bool find(const AddressSpace& space, TVMAddress variable, TUint32 width,
                                     Array& array) const {
        const Entry& entry = entryOf(variable);
        if (entry.variable != variable) return false;
        TVMAddress record;
        std::memcpy(&record, space.hostPointerOfContained(variable), 4);
        return entry.holds(space, record, width, array);
    }
    // The same for a variable in operand stack slot `slot`, which holds `record`; its entry
    // is that of the slot's number. Which variable the entry was filled for does not
    // matter then: a record whose words are those found sound is an array of that kind
    // wherever it is held. Gives the entry that holds the array, or null: while nothing
    // but stack slots and the array's elements is written, its stillHolds tells whether
    // the variable holds the same array a little later.
    [[gnu::always_inline]] const Entry* findInSlot(const AddressSpace& space, TUint32 slot,
                                                   TVMAddress record, TUint32 width,
                                                   Array& array) const {
        const Entry& entry = slotEntries[slot % kEntries];
        return entry.holds(space, record, width, array) ? &entry : nullptr;
    }

    // Checks the array of the variable at `variable` in full; remembers it when it passes,
    // and its record and storage lie apart from each other and from the stack, so that the
    // next look-up finds it.
    [[gnu::noinline]] bool remember(TVMAddress variable, TUint32 width) {
        Entry found{variable, 0, {}};
        Array array;
        if (!arrayAccess::find(checkedSpace, variable, width, array, found.record, found.words))
            return false;
        const TUint64 storageBytes =
            TUint64{static_cast<TUint32>(found.words.capacityAndSize)} * width;
        if (overlap(found.record, OVector::kRecordBytes, stack, stackBytes) ||
            overlap(array.storage, storageBytes, stack, stackBytes) ||
            overlap(array.storage, storageBytes, found.record, OVector::kRecordBytes))
            return false;
        entries[indexOf(variable)] = found;
        if (const TUint32 offset = variable - stack; offset < stackBytes)
            slotEntries[offset / 4 % kEntries] = found;
        return true;
    }

private:
    // 32 bytes, so that an entry's offset is a shift of the variable's address.
    struct alignas(32) Entry {
        TVMAddress variable;
        TVMAddress record;
        RecordWords words;

        // Whether the variable, which holds `held`, still holds this entry's array, of
        // elements `width` bytes wide.
        [[gnu::always_inline]] bool holds(const AddressSpace& space, TVMAddress held, TUint32 width,
                                          Array& array) const {
            RecordWords now;
            if (!holdsWords(space, held, now) || static_cast<TUint32>(now.tagAndStorage) != width)
                return false;
            array = {static_cast<TVMAddress>(now.tagAndStorage >> 32),
                     static_cast<TUint32>(now.capacityAndSize >> 32)};
            return true;
        }
        // Whether the variable, which holds `held`, still holds this entry's array, which a
        // look-up found a little earlier, while only stack slots and the array's elements
        // were written: the record's words are the same (see the class).
        [[gnu::always_inline]] bool stillHolds(TVMAddress held) const { return held == record; }
        // The same, with the record's words read into `now` when it is this entry's record.
        [[gnu::always_inline]] bool holdsWords(const AddressSpace& space, TVMAddress held,
                                               RecordWords& now) const {
            if (held != record) return false;
            std::memcpy(&now, space.hostPointerOfContained(record), sizeof now);
            return now == words;
        }
    };
    static constexpr TUint32 kEntries = 8; // a power of two, for entryAt

    static TUint32 indexOf(TVMAddress variable) { return (variable / 4) % kEntries; }
    const Entry& entryOf(TVMAddress variable) const {
        // (variable / 4) * sizeof(Entry), and the variable's last two bits below an entry.
        return entryAt(entries, variable * (sizeof(Entry) / 4));
    }
    // The entry at `offset` bytes, modulo the table's bytes and rounded down to an entry: a
    // key's offset is one shift, and the table's place in the object folds into the load.
    static const Entry& entryAt(const Entry (&table)[kEntries], TUint32 offset) {
        constexpr TUint32 kLastEntry = (kEntries - 1) * sizeof(Entry);
        return *reinterpret_cast<const Entry*>(reinterpret_cast<const char*>(table) +
                                               (offset & kLastEntry));
    }

    Entry slotEntries[kEntries]; // a variable in a stack slot's by the slot's number
    Entry entries[kEntries];     // every variable's by its address
    const AddressSpace& checkedSpace;
    const TVMAddress stack;   // the address of stack slot 0
    const TUint32 stackBytes; // of the whole stack
};

} // namespace arrayAccess
