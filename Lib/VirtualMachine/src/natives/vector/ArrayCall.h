// The operands of an array native: a NativeCall that also reads arrays and elements of one
// element type, ObjectWrapper<T, N>: an element takes N slots on the stack (first word
// lowest) and N values of type T in the array's storage.
#pragma once

#include "ErrorHandling.h"
#include "NativeCall.h"
#include "NewArray.h"
#include "OVector.h"
#include "ObjectWrapper.h"

#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

template <class Element> struct ElementLayout;
template <class T, int N> struct ElementLayout<ObjectWrapper<T, N>> {
    using Value = T;
    static constexpr TInt32 kSlots = N;
};

// The elements [from, from + count) of an array that a range operand stands for.
struct ElementPart {
    TInt32 from = 0;
    TInt32 count = 0;
};

// The part a range names in an array of `size` elements when it lies inside it
// (0 <= from <= to < size), else nothing. A negative length runs to the end when
// `negativeToEnd`; otherwise it is a plain count, which never lies inside.
std::optional<ElementPart> partOf(RangeOperand range, TInt32 size, bool negativeToEnd);

// The elements of the part as bytes; none without a part.
std::vector<TUint8> bytesOf(const OVector& array, std::optional<ElementPart> part);
// All elements of the array as bytes.
std::vector<TUint8> allBytesOf(const OVector& array);
// `times` copies of the elements (as bytes of `elementSize`-byte elements); a result too
// large for an array raises InvalidArgumentException.
std::vector<TUint8> repeated(std::span<const TUint8> elements, TInt32 times, TInt32 elementSize);
// The checks of `repeated` alone, for a caller that makes the copies where they go.
void requireRepeatable(std::span<const TUint8> elements, TInt32 times, TInt32 elementSize);
// Inserts the elements at `position`; a position outside [0, size] raises
// IndexOutOfBoundsException, even when there is nothing to insert.
void insertElements(OVector& array, TInt32 position, std::span<const TUint8> elements);

template <class Element> class ArrayCall : public NativeCall {
    using Value = typename ElementLayout<Element>::Value;

public:
    static constexpr TInt32 kSlots = ElementLayout<Element>::kSlots;
    static constexpr TInt32 kWidth = sizeof(Element);
    static_assert(kWidth == kSlots * static_cast<TInt32>(sizeof(Value)), "elements are unpadded");

    using Bytes = std::array<TUint8, kWidth>;
    using Words = std::array<TUint32, kSlots>;

    // `primitive`: the elements are plain values, not object references.
    ArrayCall(const NativeCall& call, TBool bPrimitive)
        : NativeCall(call), primitive(bPrimitive != EFalse) {}

    const bool primitive;

    // An array operand: the address of an array variable whose first word is the array.
    OVector array() {
        const TVMAddress variable = word();
        const TVMAddress record = memory().load32(variable);
        if (record == 0) throwError(ENullPointer, "NULL pointer");
        OVector vector(heap(), record);
        if (vector.elementSize() != kWidth) throwError(EVMException, "wrong kind of array");
        return vector;
    }

    // An element operand, as it is stored: a byte array keeps the low 8 bits of its slot.
    Bytes element() {
        Element value{};
        for (TInt32 i = kSlots - 1; i >= 0; --i)
            value[i] = static_cast<Value>(word());
        Bytes bytes;
        std::memcpy(bytes.data(), &value, bytes.size());
        return bytes;
    }

    // The slots of element `index`; a byte is sign-extended.
    Words elementWords(const OVector& vector, TInt32 index) {
        Element value;
        std::memcpy(&value, memory().hostPointer(vector.elementAddress(index), kWidth), kWidth);
        Words words;
        for (TInt32 i = 0; i < kSlots; ++i)
            words[static_cast<std::size_t>(i)] =
                static_cast<TUint32>(static_cast<TInt32>(value[i]));
        return words;
    }

    // Stores a new array holding `elements` in the array variable at `variable`; a null
    // variable raises NullPointerException and leaves the new array to the collector.
    void storeNewArray(TVMAddress variable, std::span<const TUint8> elements) {
        const NewArray made(heap(), kWidth, elements);
        memory().store32(variable, made.address());
    }
    // The same for a new array of `times` copies of one element.
    void storeNewArray(TVMAddress variable, const Bytes& element, TInt32 times) {
        const NewArray made(heap(), element, times);
        memory().store32(variable, made.address());
    }

    // A new array holding `elements` in a new cell (a reference of depth 1 to it).
    TVMAddress newArrayInCell(std::span<const TUint8> elements) {
        const NewArray made(heap(), kWidth, elements);
        return newCell(made.address());
    }
};

using ByteElement = ObjectWrapper<signed char, 1>;
using WordElement = ObjectWrapper<int, 1>;
using TwoWordElement = ObjectWrapper<int, 2>;
using ThreeWordElement = ObjectWrapper<int, 3>;
using FourWordElement = ObjectWrapper<int, 4>;
