// The small value types of the geometry groups (colour, size, position, rectangle): a few
// 32-bit words kept in application storage. A native changes a value through the address
// of its storage (the receiver, never tested for null: the memory raises on a null
// address) and takes a value by value as consecutive slots, its lowest word in the lowest
// slot. Every check runs before anything is stored, so a refused change leaves the value
// as it was.
#pragma once

#include "ErrorHandling.h"
#include "NativeCall.h"

#include <array>
#include <cstring>
#include <span>

namespace geometry {

template <int Words> using Value = std::array<TUint32, Words>;

// The value stored at `address`; null raises NullPointerException, storage outside the
// machine's memory is a fatal machine error.
template <int Words> Value<Words> load(NativeCall& call, TVMAddress address) {
    Value<Words> value;
    std::memcpy(value.data(), call.memory().hostPointer(address, sizeof value), sizeof value);
    return value;
}

template <int Words> void store(NativeCall& call, TVMAddress address, const Value<Words>& value) {
    std::memcpy(call.memory().hostPointer(address, sizeof value), value.data(), sizeof value);
}

// A value given by value.
template <int Words> Value<Words> valueOperand(NativeCall& call) {
    Value<Words> value;
    for (int word = Words - 1; word >= 0; --word)
        value[word] = call.word();
    return value;
}

// Which words a value accepts: any int, or only non-negative ones (sizes).
enum class Sign { Any, NonNegative };

// The handlers the groups share. Words is the size of the group's value; where a handler
// reaches only some of its words, the constant is the first of them.

// Stores a value whose words all hold `fill` into the receiver.
template <int Words> void reset(NativeCall& call, TInt32 fill) {
    Value<Words> value;
    value.fill(static_cast<TUint32>(fill));
    store<Words>(call, call.word(), value);
    call.pop();
}

// The receiver gets the other value's words.
template <int Words> void copy(NativeCall& call, TInt32) {
    const Value<Words> other = load<Words>(call, call.word());
    store<Words>(call, call.word(), other);
    call.pop();
}

// Replaces `Count` words of the receiver, from the constant on, with the words given by
// value; with Sign::NonNegative a negative one raises InvalidArgumentException.
template <int Words, int Count, Sign sign> void assign(NativeCall& call, TInt32 first) {
    const Value<Count> words = valueOperand<Count>(call);
    if constexpr (sign == Sign::NonNegative) {
        for (const TUint32 word : words)
            if (static_cast<TInt32>(word) < 0) throwError(EInvalidArgument);
    }
    const TVMAddress receiver = call.word();
    Value<Words> value = load<Words>(call, receiver);
    std::memcpy(value.data() + first, words.data(), sizeof words);
    store<Words>(call, receiver, value);
    call.pop();
}

// Answers `Count` words of the receiver, from the constant on.
template <int Words, int Count> void answerPart(NativeCall& call, TInt32 first) {
    const Value<Words> value = load<Words>(call, call.word());
    call.answerWords(std::span<const TUint32>(value).subspan(static_cast<std::size_t>(first),
                                                             static_cast<std::size_t>(Count)));
}

// Whether the two values given by value have the same words.
template <int Words> bool sameValues(NativeCall& call) {
    const Value<Words> second = valueOperand<Words>(call);
    return valueOperand<Words>(call) == second;
}

template <int Words> void equal(NativeCall& call, TInt32) {
    call.answer(sameValues<Words>(call) ? 1 : 0);
}

template <int Words> void notEqual(NativeCall& call, TInt32) {
    call.answer(sameValues<Words>(call) ? 0 : 1);
}

} // namespace geometry
