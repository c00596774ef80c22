// ObjectWrapper<T, N>: N consecutive values of type T, the element type of application
// arrays (one element may span several slots). Value-initialised elements are all zero.
#pragma once

template <class T, int N> struct ObjectWrapper {
    static_assert(N > 0, "an element holds at least one value");

    T values[N];

    T& operator[](int index) { return values[index]; }
    const T& operator[](int index) const { return values[index]; }
    bool operator==(const ObjectWrapper&) const = default;
};
