// The machine's address space. Every value the bytecode holds is a 32-bit address into
// one region reserved for the machine; nothing the bytecode can reach lives outside
// it, and no host pointer is stored inside it. Address 0 is null and the lowest part
// of the region is never committed, so no valid object lives near 0.
#pragma once

#include "Types.h"

#include <cstddef>
#include <cstring>

using TVMAddress = TUint32;

class AddressSpace {
public:
    // Addresses below this are never valid.
    static constexpr TVMAddress kFirstValid = 0x10000;

    AddressSpace();
    AddressSpace(const AddressSpace&) = delete;
    AddressSpace& operator=(const AddressSpace&) = delete;
    ~AddressSpace();

    // Carves `bytes` (rounded up to 8) from the uncommitted end of the region, commits
    // them and returns their address; the memory reads as zero. Regions are never given
    // back. Raises std::bad_alloc when the region or the thread's memory budget is
    // exhausted; what is committed stays charged to that budget until the space ends.
    TVMAddress allocate(TUint32 bytes);
    // The same; `untouched` is where the memory that this call commits begins in the span
    // (the span's end when it commits none): nothing has written there yet.
    TVMAddress allocate(TUint32 bytes, TVMAddress& untouched);

    // The host pointer for `size` bytes at `address`: null raises NullPointerException
    // "NULL pointer"; anything outside the committed part is a fatal machine error.
    void* hostPointer(TVMAddress address, TUint32 size) const {
        if (!contains(address, size)) [[unlikely]]
            reportBadAccess(address);
        return base + address;
    }

    // The host pointer for an address that `contains` has accepted before: the committed
    // part never shrinks, so it still holds what it held.
    const void* hostPointerOfContained(TVMAddress address) const { return base + address; }
    void* hostPointerOfContained(TVMAddress address) { return base + address; }

    TUint32 load32(TVMAddress address) const { return load<TUint32>(address); }
    void store32(TVMAddress address, TUint32 value) { store(address, value); }
    TUint16 load16(TVMAddress address) const { return load<TUint16>(address); }
    void store16(TVMAddress address, TUint16 value) { store(address, value); }
    TUint8 load8(TVMAddress address) const { return load<TUint8>(address); }
    void store8(TVMAddress address, TUint8 value) { store(address, value); }

    // Whether [address, address + size) lies in the committed part.
    bool contains(TVMAddress address, TUint32 size) const {
        // An address below kFirstValid wraps to an offset above every committed span.
        const TUint32 offset = address - kFirstValid;
        return TUint64{offset} + size <= committedSpan;
    }
    // The end of the committed part (exclusive).
    TVMAddress committedEnd() const { return static_cast<TVMAddress>(kFirstValid + committedSpan); }

private:
    template <class T> T load(TVMAddress address) const {
        T value;
        std::memcpy(&value, hostPointer(address, sizeof(T)), sizeof(T));
        return value;
    }
    template <class T> void store(TVMAddress address, T value) {
        std::memcpy(hostPointer(address, sizeof(T)), &value, sizeof(T));
    }
    [[noreturn]] static void reportBadAccess(TVMAddress address);
    // Commits memory from kFirstValid on up to at least `span` bytes; charges the budget.
    void commit(TUint64 span);

    void* reservation = nullptr; // the mapping, of which base + kFirstValid is aligned
    unsigned char* base = nullptr;
    TUint64 committedSpan = 0; // bytes committed from kFirstValid on
    TUint64 usedSpan = 0;      // bytes handed out from kFirstValid on
};
