#include "AddressSpace.h"

#include "ErrorHandling.h"
#include "MemoryBudget.h"

#include <new>
#include <sys/mman.h>

namespace {
// The whole 32-bit range, plus slack so that an access straddling the last address
// still falls inside the reservation.
constexpr TUint64 kReservedBytes = (TUint64{1} << 32) + 0x10000;
// Committing in large steps keeps system calls off the allocation path.
constexpr TUint64 kCommitStep = 1 << 20;
constexpr TUint64 kLimit = (TUint64{1} << 32) - AddressSpace::kFirstValid;
// Maps the pages of a committed step in one go: the heap fills its pools front to back, so
// they are all used soon, and one call costs the kernel far less than a fault for each
// page. A kernel without MADV_POPULATE_WRITE refuses, and the pages fault in one by one.
void populate(unsigned char* start, TUint64 bytes) {
    madvise(start, bytes, MADV_POPULATE_WRITE);
}

} // namespace

AddressSpace::AddressSpace() {
    void* region = mmap(nullptr, kReservedBytes, PROT_NONE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) throw std::bad_alloc();
    base = static_cast<unsigned char*>(region);
}

AddressSpace::~AddressSpace() {
    munmap(base, kReservedBytes);
    MemoryBudget::release(committedSpan);
}

TVMAddress AddressSpace::allocate(TUint32 bytes) {
    const TUint64 rounded = (TUint64{bytes} + 7) & ~TUint64{7};
    if (rounded > kLimit - usedSpan) throw std::bad_alloc();
    const TVMAddress address = static_cast<TVMAddress>(kFirstValid + usedSpan);
    usedSpan += rounded;
    if (usedSpan > committedSpan) {
        TUint64 target = (usedSpan + kCommitStep - 1) / kCommitStep * kCommitStep;
        if (target > kLimit) target = kLimit;
        try {
            MemoryBudget::charge(target - committedSpan);
        } catch (const std::bad_alloc&) {
            usedSpan -= rounded;
            throw;
        }
        if (mprotect(base + kFirstValid + committedSpan, target - committedSpan,
                     PROT_READ | PROT_WRITE) != 0) {
            MemoryBudget::release(target - committedSpan);
            usedSpan -= rounded;
            throw std::bad_alloc();
        }
        populate(base + kFirstValid + committedSpan, target - committedSpan);
        committedSpan = target;
    }
    return address;
}

void AddressSpace::reportBadAccess(TVMAddress address) {
    if (address == 0) throwError(ENullPointer, "NULL pointer");
    raiseFatalMachineError("access outside the machine's memory at address " +
                           std::to_string(address));
}
