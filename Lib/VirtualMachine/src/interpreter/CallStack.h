// The frames of the active calls, innermost last: for each, the method whose layout
// describes it (-1 for none) and the stack slot where it starts. Calls and returns only
// move the depth; the collector reads both lists.
#pragma once

#include "Types.h"

#include <array>
#include <span>

class CallStack {
public:
    // Every call pushes at least its return address, so the operand stack's storage bounds
    // the depth of any sound program; a deeper chain is an overflow.
    static constexpr TInt32 kCapacity = 15256;

    TInt32 depth() const { return count; }
    bool full(TInt32 limit) const { return count >= limit; }
    void push(TInt32 method, TInt32 base) {
        frameMethods[static_cast<std::size_t>(count)] = method;
        frameBases[static_cast<std::size_t>(count)] = base;
        ++count;
    }
    void pop() {
        if (count > 0) --count;
    }
    // Drops the frames above `keep` (those a caught exception leaves).
    void truncate(TInt32 keep) {
        if (keep >= 0 && keep < count) count = keep;
    }
    void clear() { count = 0; }

    std::span<const TInt32> methods() const {
        return {frameMethods.data(), static_cast<std::size_t>(count)};
    }
    std::span<const TInt32> bases() const {
        return {frameBases.data(), static_cast<std::size_t>(count)};
    }

private:
    std::array<TInt32, kCapacity> frameMethods{};
    std::array<TInt32, kCapacity> frameBases{};
    TInt32 count = 0;
};
