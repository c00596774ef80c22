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

// The arrays found lately, by the address of their variable. While the variable holds the
// same record and the record the same words, the array passes the checks again (the
// committed memory never shrinks): comparing them costs a few loads, where checking a
// record costs a dozen tests. Nothing needs to forget an entry.
class FoundArrays {
public:
    // Each entry starts with a variable that another entry would hold, which no look-up in
    // it can match.
    FoundArrays() {
        for (TUint32 i = 0; i < kEntries; ++i)
            entries[i].variable = 4 * ((i + 1) % kEntries);
    }

    [[gnu::always_inline]] bool find(const AddressSpace& space, TVMAddress variable, TUint32 width,
                                     Array& array) {
        Entry& entry = entryOf(variable);
        if (entry.variable == variable) {
            TVMAddress record;
            std::memcpy(&record, space.hostPointerOfContained(variable), 4);
            if (entry.holds(space, record, width, array)) [[likely]]
                return true;
        }
        if (!findAfresh(space, variable, width, entry)) return false;
        array = entry.array();
        return true;
    }
    // The same for a variable in an operand stack slot: the caller read `record` from the
    // slot itself, which saves a load through the address space.
    [[gnu::always_inline]] bool findHeld(const AddressSpace& space, TVMAddress variable,
                                         TVMAddress record, TUint32 width, Array& array) {
        Entry& entry = entryOf(variable);
        if (entry.variable == variable && entry.holds(space, record, width, array)) [[likely]]
            return true;
        if (!findAfresh(space, variable, width, entry)) return false;
        array = entry.array();
        return true;
    }

    // The address of element `index` of that array, or 0 (never an element's address).
    [[gnu::always_inline]] TVMAddress element(const AddressSpace& space, TVMAddress variable,
                                              TUint32 index, TUint32 width) {
        Array array;
        if (!find(space, variable, width, array)) return 0;
        return elementOf(array, index, width);
    }
    [[gnu::always_inline]] TVMAddress elementHeld(const AddressSpace& space, TVMAddress variable,
                                                  TVMAddress record, TUint32 index, TUint32 width) {
        Array array;
        if (!findHeld(space, variable, record, width, array)) return 0;
        return elementOf(array, index, width);
    }

private:
    // 32 bytes, so that an entry's offset is a shift of the variable's address.
    struct alignas(32) Entry {
        TVMAddress variable;
        TVMAddress record = 0;
        RecordWords words = {};

        // Whether the variable, which holds `record`, still holds this entry's array, of
        // elements `width` bytes wide.
        [[gnu::always_inline]] bool holds(const AddressSpace& space, TVMAddress held, TUint32 width,
                                          Array& array) const {
            if (held != record) return false;
            RecordWords now;
            std::memcpy(&now, space.hostPointerOfContained(record), sizeof now);
            if (now != words || static_cast<TUint32>(now.tagAndStorage) != width) return false;
            array = arrayOf(now);
            return true;
        }
        Array array() const { return arrayOf(words); }
        static Array arrayOf(const RecordWords& words) {
            return {static_cast<TVMAddress>(words.tagAndStorage >> 32),
                    static_cast<TUint32>(words.capacityAndSize >> 32)};
        }
    };
    Entry& entryOf(TVMAddress variable) { return entries[(variable / 4) % kEntries]; }
    static TVMAddress elementOf(const Array& array, TUint32 index, TUint32 width) {
        return index < array.size ? array.storage + index * width : 0;
    }

    // Checks the array in full; remembers it in the entry when it passes. (The array is
    // read from the entry then, so that the caller's copy of it need not live in memory.)
    [[gnu::noinline]] static bool findAfresh(const AddressSpace& space, TVMAddress variable,
                                             TUint32 width, Entry& entry) {
        Entry found{variable, 0, {}};
        Array array;
        if (!arrayAccess::find(space, variable, width, array, found.record, found.words))
            return false;
        entry = found;
        return true;
    }

    static constexpr TUint32 kEntries = 8;
    Entry entries[kEntries];
};

} // namespace arrayAccess
