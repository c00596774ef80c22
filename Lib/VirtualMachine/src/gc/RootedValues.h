// RootedValues: keeps the heap objects among some values alive while it lives, by holding
// them on the heap's root list; the other values (numbers, addresses that are no object)
// are left alone. For values that only host code holds, such as the arguments of a host
// call until they are on the operand stack.
#pragma once

#include "VMHeap.h"

#include <vector>

class RootedValues {
public:
    RootedValues(VMHeap& aHeap, const std::vector<TUint32>& values);
    RootedValues(RootedValues&& other) noexcept;
    RootedValues& operator=(RootedValues&&) = delete;
    ~RootedValues();

private:
    void release();

    VMHeap* heap;
    std::vector<TVMAddress> objects;
};
