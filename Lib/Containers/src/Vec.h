// Vec<T>: the runtime's growable array. Storage comes from an optional allocator, or from
// the general allocator when there is none; only the first size() elements are live
// objects, the rest of the capacity is raw storage.
#pragma once

#include "ErrorCodes.h"
#include "Types.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

// Supplies element storage to a Vec.
template <class T> class MVecAllocator {
public:
    virtual ~MVecAllocator() = default;
    // Uninitialised storage for `count` elements.
    virtual T* allocate(TInt32 count) = 0;
    // Gives back storage obtained from allocate().
    virtual void release(T* storage) = 0;
};

template <class T> class Vec {
public:
    explicit Vec(MVecAllocator<T>* storageAllocator = nullptr) noexcept
        : allocator(storageAllocator) {}
    Vec(const Vec& other);
    Vec(Vec&& other) noexcept { swap(other); }
    Vec& operator=(Vec other) noexcept {
        swap(other);
        return *this;
    }
    virtual ~Vec();

    TInt32 size() const { return count; }
    TInt32 capacity() const { return room; }
    bool isEmpty() const { return count == 0; }
    T* data() { return storage; }
    const T* data() const { return storage; }

    // Unchecked element access.
    T& operator[](TInt32 index) { return storage[index]; }
    const T& operator[](TInt32 index) const { return storage[index]; }
    // Element access that raises InvalidArgumentException for an index outside [0, size).
    T& at(TInt32 index);
    const T& at(TInt32 index) const;

    T* begin() { return storage; }
    T* end() { return storage + count; }
    const T* begin() const { return storage; }
    const T* end() const { return storage + count; }

    // Appending to a full vector first reserves floor(size * 5 / 4) + 8 elements.
    void append(T value);
    // Inserts before `index`, which must lie in [0, size].
    void insertAt(TInt32 index, T value);
    void removeAt(TInt32 index);
    void removeLast();
    // Sets the capacity; fewer elements than the size raises InvalidArgumentException.
    void reserve(TInt32 newCapacity);
    // New elements are value-initialised (0 for numbers and pointers).
    void resize(TInt32 newSize);
    // Destroys the elements and keeps the storage.
    void clear();

private:
    void swap(Vec& other) noexcept;
    void requireIndex(TInt32 index, TInt32 limit) const;
    void growIfFull();
    T* allocateStorage(TInt32 elements);
    void releaseStorage();

    T* storage = nullptr;
    TInt32 room = 0;
    TInt32 count = 0;
    MVecAllocator<T>* allocator = nullptr;
};

template <class T> Vec<T>::Vec(const Vec& other) : allocator(other.allocator) {
    storage = allocateStorage(other.count);
    room = other.count;
    std::uninitialized_copy(other.begin(), other.end(), storage);
    count = other.count;
}

template <class T> Vec<T>::~Vec() {
    clear();
    releaseStorage();
}

template <class T> T& Vec<T>::at(TInt32 index) {
    requireIndex(index, count - 1);
    return storage[index];
}

template <class T> const T& Vec<T>::at(TInt32 index) const {
    requireIndex(index, count - 1);
    return storage[index];
}

template <class T> void Vec<T>::append(T value) {
    growIfFull();
    std::construct_at(storage + count, std::move(value));
    ++count;
}

template <class T> void Vec<T>::insertAt(TInt32 index, T value) {
    requireIndex(index, count);
    growIfFull();
    if (index == count) {
        std::construct_at(storage + count, std::move(value));
    } else {
        std::construct_at(storage + count, std::move(storage[count - 1]));
        std::move_backward(storage + index, storage + count - 1, storage + count);
        storage[index] = std::move(value);
    }
    ++count;
}

template <class T> void Vec<T>::removeAt(TInt32 index) {
    requireIndex(index, count - 1);
    std::move(storage + index + 1, storage + count, storage + index);
    removeLast();
}

// Taking the last element of an empty vector is a negative size change.
template <class T> void Vec<T>::removeLast() {
    if (count == 0) throwError(EInvalidArgument);
    --count;
    std::destroy_at(storage + count);
}

template <class T> void Vec<T>::reserve(TInt32 newCapacity) {
    if (newCapacity < count) throwError(EInvalidArgument);
    if (newCapacity == room) return;
    T* fresh = allocateStorage(newCapacity);
    std::uninitialized_move(storage, storage + count, fresh);
    std::destroy(storage, storage + count);
    releaseStorage();
    storage = fresh;
    room = newCapacity;
}

template <class T> void Vec<T>::resize(TInt32 newSize) {
    if (newSize < 0) throwError(EInvalidArgument);
    if (newSize <= count) {
        std::destroy(storage + newSize, storage + count);
    } else {
        if (newSize > room) reserve(newSize);
        std::uninitialized_value_construct(storage + count, storage + newSize);
    }
    count = newSize;
}

template <class T> void Vec<T>::clear() {
    std::destroy(storage, storage + count);
    count = 0;
}

template <class T> void Vec<T>::swap(Vec& other) noexcept {
    std::swap(storage, other.storage);
    std::swap(room, other.room);
    std::swap(count, other.count);
    std::swap(allocator, other.allocator);
}

// Valid indexes are [0, limit].
template <class T> void Vec<T>::requireIndex(TInt32 index, TInt32 limit) const {
    if (index < 0 || index > limit) throwError(EInvalidArgument);
}

template <class T> void Vec<T>::growIfFull() {
    if (count < room) return;
    const TInt64 grown = static_cast<TInt64>(count) * 5 / 4 + 8;
    reserve(static_cast<TInt32>(std::min<TInt64>(grown, std::numeric_limits<TInt32>::max())));
}

template <class T> T* Vec<T>::allocateStorage(TInt32 elements) {
    if (elements == 0) return nullptr;
    if (allocator) return allocator->allocate(elements);
    return std::allocator<T>().allocate(static_cast<std::size_t>(elements));
}

template <class T> void Vec<T>::releaseStorage() {
    if (!storage) return;
    if (allocator) {
        allocator->release(storage);
    } else {
        std::allocator<T>().deallocate(storage, static_cast<std::size_t>(room));
    }
    storage = nullptr;
    room = 0;
}
