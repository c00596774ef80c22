// OString: the application's text type. UTF-16 code units in a shared, copy-on-write
// text block; the empty string has no block.
#pragma once

#include "GCObject.h"
#include "Types.h"

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

    TInt32 length() const { return block ? block->length : 0; }
    bool isEmpty() const { return length() == 0; }
    // The code units, or null for the empty string.
    const char16_t* units() const { return block ? block->buffer() : nullptr; }
    // The code unit at index; an index outside the string raises IndexOutOfBoundsException.
    char16_t at(TInt32 index) const;

    void append(const OString& other);
    void append(const char16_t* units, TInt32 count);

    bool operator==(const OString& other) const;

    // Capacity rule for a block made for n characters: max(10, floor(n * 1.2)).
    static TInt32 capacityFor(TInt32 n);
    TInt32 capacity() const { return block ? block->capacity : 0; }
    bool sharesTextWith(const OString& other) const { return block && block == other.block; }

private:
    struct TextBlock {
        TInt32 referenceCount;
        TInt32 capacity;
        TInt32 length;
        char16_t* buffer() { return reinterpret_cast<char16_t*>(this + 1); }
    };
    static TextBlock* newBlock(TInt32 capacity);
    static void release(TextBlock* block);
    // Makes the block unshared with room for at least `needed` characters.
    void makeWritable(TInt32 needed);

    TextBlock* block = nullptr;
};
