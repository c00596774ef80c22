// OString: the application's text type. UTF-16 code units in a shared, copy-on-write
// text block; the empty string has no block. Indexes, lengths and ranges count code
// units. Ranges follow TextRange: (0, -1) is the empty range, any other range must lie
// inside the string or RangeException is raised. Flags named caseSensitive compare code
// units exactly when true and after CodeUnit::toLower when false.
#pragma once

#include "GCObject.h"
#include "TextRange.h"
#include "Types.h"
#include "Vec.h"

#include <string_view>

class OString : public GCObject {
public:
    OString() = default;
    OString(const OString& other);
    OString(OString&& other) noexcept;
    OString& operator=(const OString& other);
    OString& operator=(OString&& other) noexcept;
    ~OString() override;

    // Each byte becomes the code unit of the same value (Latin-1).
    explicit OString(const char* latin1);
    OString(const char* latin1, TInt32 length);
    OString(const char16_t* units, TInt32 length);
    explicit OString(std::u16string_view units);

    // `count` copies of a unit; a negative count raises InvalidArgumentException.
    static OString filled(char16_t unit, TInt32 count);
    // Decimal text, with a leading '-' for negative values.
    static OString number(TInt64 value);
    // The value as unsigned in a radix 2..36, lower-case letters, no sign or prefix; the
    // empty string for any other radix.
    static OString numberInRadix(TUint32 value, TInt32 radix);
    // Decodes well-formed UTF-8, one code unit per code point (its low 16 bits); a
    // malformed sequence raises DataFormatException.
    static OString fromUtf8(const TUint8* bytes, TInt32 count);

    // Capacity rule for a block made for n characters: max(10, floor(n * 1.2)).
    static TInt32 capacityFor(TInt32 n);
    // Strings longer than this raise InvalidArgumentException: their capacity would not
    // fit the 32-bit capacity field.
    static constexpr TInt32 MaxLength = 1789569705;

    // Queries.
    TInt32 length() const { return pBuffer ? pBuffer->length : 0; }
    bool isEmpty() const { return length() == 0; }
    TInt32 capacity() const { return pBuffer ? pBuffer->capacity : 0; }
    bool sharesTextWith(const OString& other) const { return pBuffer && pBuffer == other.pBuffer; }
    // The code units, or null for the empty string; the unit after the last is 0.
    const char16_t* units() const { return pBuffer ? pBuffer->buffer() : nullptr; }
    std::u16string_view view() const { return {units(), static_cast<std::size_t>(length())}; }
    // The code unit at index; an index outside the string raises IndexOutOfBoundsException.
    char16_t at(TInt32 index) const;
    int outsideHeapSize() const override;

    // Parts of the string. A part that is the whole string shares its text.
    OString substring(TextRange range) const;
    // The units at range.from, range.from + step, ... within the range; a step below 1
    // raises InvalidArgumentException unless the range is empty.
    OString everyNth(TInt32 step, TextRange range = {}) const;

    // Parsing; the rest of the text after the digits is ignored. Without any digit they
    // raise DataFormatException; a radix outside 2..36 raises InvalidArgumentException.
    // Decimal, after leading white space and an optional sign; wraps around in 32 bits.
    TInt32 toInt() const;
    // In a radix, after leading white space, without a sign; wraps around in 32 bits.
    TInt32 toInt(TInt32 radix) const;
    // In a radix into 64 bits; ok tells whether the text held digits only and fitted.
    TUint64 toUint64(TInt32 radix, bool& ok) const;

    // Searching: the lowest or highest index of the pattern within the range, or -1. An
    // empty pattern or the empty range never matches.
    TInt32 indexOf(const OString& pattern, TextRange range = {}, bool caseSensitive = true) const {
        return find(pattern.view(), range, caseSensitive, Forwards);
    }
    TInt32 indexOf(char16_t unit, TextRange range = {}, bool caseSensitive = true) const {
        return find({&unit, 1}, range, caseSensitive, Forwards);
    }
    TInt32 lastIndexOf(const OString& pattern, TextRange range = {},
                       bool caseSensitive = true) const {
        return find(pattern.view(), range, caseSensitive, Backwards);
    }
    TInt32 lastIndexOf(char16_t unit, TextRange range = {}, bool caseSensitive = true) const {
        return find({&unit, 1}, range, caseSensitive, Backwards);
    }
    // Non-overlapping occurrences, scanning forwards.
    TInt32 count(const OString& pattern, TextRange range = {}, bool caseSensitive = true) const {
        return countUnits(pattern.view(), range, caseSensitive);
    }
    TInt32 count(char16_t unit, TextRange range = {}, bool caseSensitive = true) const {
        return countUnits({&unit, 1}, range, caseSensitive);
    }
    // False when either string is empty or the pattern is the longer one.
    bool startsWith(const OString& pattern, bool caseSensitive = true) const;
    bool endsWith(const OString& pattern, bool caseSensitive = true) const;

    // Comparison: the first differing unit decides (this one's minus the other's), else
    // the difference of the lengths.
    TInt32 compare(const OString& other, bool caseSensitive = true) const;
    // The same for the range of this string against the whole other one.
    TInt32 compare(TextRange range, const OString& other, bool caseSensitive = true) const;
    bool equals(const OString& other, bool caseSensitive = true) const;
    bool operator==(const OString& other) const { return equals(other, true); }
    // Whether the range holds the other string; the empty range never does.
    bool regionEquals(TextRange range, const OString& other, bool caseSensitive = true) const;

    // Editing in place. Insertion positions lie in [0, length] and raise
    // IndexOutOfBoundsException otherwise.
    // Inserts the part of source (range-checked against it); an empty part does nothing.
    void insertTo(TInt32 index, const OString& source, TextRange part = {});
    void insertTo(TInt32 index, char16_t unit);
    void prepend(const OString& text) { insertTo(0, text); }
    void prepend(char16_t unit) { insertTo(0, unit); }
    void append(const OString& text) { splice(length(), 0, text.view()); }
    void append(char16_t unit) { splice(length(), 0, {&unit, 1}); }
    void append(const char16_t* units, TInt32 count);
    // Replaces the string by `times` copies of itself; a negative count raises
    // InvalidArgumentException.
    void repeat(TInt32 times);
    // Replaces the range; the empty range does nothing.
    void replace(TextRange range, const OString& text) { replaceRange(range, text.view()); }
    void replace(TextRange range, char16_t unit) { replaceRange(range, {&unit, 1}); }

    // Replacing occurrences of a pattern within a range. An empty pattern or the empty
    // range does nothing; inserted text is not searched again.
    void replaceFirst(const OString& pattern, const OString& replacement, TextRange range = {},
                      bool caseSensitive = true) {
        replaceOne(pattern.view(), replacement.view(), range, caseSensitive, Forwards);
    }
    void replaceFirst(const OString& pattern, char16_t replacement, TextRange range = {},
                      bool caseSensitive = true) {
        replaceOne(pattern.view(), {&replacement, 1}, range, caseSensitive, Forwards);
    }
    void replaceLast(const OString& pattern, const OString& replacement, TextRange range = {},
                     bool caseSensitive = true) {
        replaceOne(pattern.view(), replacement.view(), range, caseSensitive, Backwards);
    }
    void replaceLast(const OString& pattern, char16_t replacement, TextRange range = {},
                     bool caseSensitive = true) {
        replaceOne(pattern.view(), {&replacement, 1}, range, caseSensitive, Backwards);
    }
    void replaceAll(const OString& pattern, const OString& replacement, TextRange range = {},
                    bool caseSensitive = true) {
        replaceEvery(pattern.view(), replacement.view(), range, caseSensitive);
    }
    void replaceAll(const OString& pattern, char16_t replacement, TextRange range = {},
                    bool caseSensitive = true) {
        replaceEvery(pattern.view(), {&replacement, 1}, range, caseSensitive);
    }

    // Removal. A removal that leaves the string no longer than half its capacity moves
    // it into a smaller block.
    // Removes the range; the empty range does nothing.
    void remove(TextRange range) { replaceRange(range, {}); }
    // An index outside the string raises IndexOutOfBoundsException.
    void removeAt(TInt32 index);
    void removeFirst(const OString& pattern, TextRange range = {}, bool caseSensitive = true) {
        replaceOne(pattern.view(), {}, range, caseSensitive, Forwards);
    }
    void removeFirst(char16_t unit, TextRange range = {}, bool caseSensitive = true) {
        replaceOne({&unit, 1}, {}, range, caseSensitive, Forwards);
    }
    void removeLast(const OString& pattern, TextRange range = {}, bool caseSensitive = true) {
        replaceOne(pattern.view(), {}, range, caseSensitive, Backwards);
    }
    void removeLast(char16_t unit, TextRange range = {}, bool caseSensitive = true) {
        replaceOne({&unit, 1}, {}, range, caseSensitive, Backwards);
    }
    void removeAll(const OString& pattern, TextRange range = {}, bool caseSensitive = true) {
        replaceEvery(pattern.view(), {}, range, caseSensitive);
    }
    void removeAll(char16_t unit, TextRange range = {}, bool caseSensitive = true) {
        replaceEvery({&unit, 1}, {}, range, caseSensitive);
    }
    // Remove n units at the start or the end; n outside [0, length] raises
    // InvalidArgumentException.
    void removeStart(TInt32 n);
    void removeEnd(TInt32 n);
    void clear() { splice(0, length(), {}); }

    // White space as CodeUnit::isSpace decides.
    void trimStart();
    void trimEnd();
    // Trims both ends and collapses every inner run of white space to its first unit.
    void trim();
    void makeLowerCase();
    void makeUpperCase();

    // UTF-8, each code unit encoded by itself (surrogates included) in 1 to 3 bytes.
    Vec<TUint8> toUtf8() const;

private:
    struct TextBlock {
        TInt32 referenceCount;
        TInt32 capacity;
        TInt32 length;
        char16_t* buffer() { return reinterpret_cast<char16_t*>(this + 1); }
    };
    enum Direction { Forwards, Backwards };

    // The length itself, or InvalidArgumentException beyond MaxLength.
    static TInt32 checkedLength(TInt64 length);
    static std::size_t blockBytes(TInt32 capacity);
    static TextBlock* newBlock(TInt32 capacity);
    // A block of the capacity the rule gives for `length` units, holding that many
    // (not yet written) units and the terminator.
    static TextBlock* blockOfLength(TInt64 length);
    static void release(TextBlock* block);

    // Resolves TextRange::ToEnd and checks the range (RangeException when invalid).
    TextRange checkedRange(TextRange range) const;
    // Replaces `removed` units at `index` by `inserted`: in place when the block is
    // unshared, large enough and not left half empty, otherwise in a new block.
    void splice(TInt32 index, TInt32 removed, std::u16string_view inserted);
    bool canEditInPlace(TInt32 newLength) const;
    bool growUnshared(TInt32 newLength);
    bool holdsUnits(std::u16string_view units) const;
    // Makes the block unshared and returns its units.
    char16_t* editableUnits();

    TInt32 find(std::u16string_view pattern, TextRange range, bool caseSensitive,
                Direction direction) const;
    TInt32 findInChecked(std::u16string_view pattern, TextRange checked, bool caseSensitive,
                         Direction direction) const;
    TInt32 countUnits(std::u16string_view pattern, TextRange range, bool caseSensitive) const;
    void replaceRange(TextRange range, std::u16string_view text);
    void replaceOne(std::u16string_view pattern, std::u16string_view replacement, TextRange range,
                    bool caseSensitive, Direction direction);
    void replaceEvery(std::u16string_view pattern, std::u16string_view replacement, TextRange range,
                      bool caseSensitive);

    TextBlock* pBuffer = nullptr;
};
