#include "AddressSpace.h"

#include "ErrorHandling.h"
#include "MemoryBudget.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {
// The whole 32-bit range, plus slack so that an access straddling the last address
// still falls inside the reservation.
constexpr TUint64 kReservedBytes = (TUint64{1} << 32) + 0x10000;
// Memory is committed in steps of a huge page, each aligned to one, so that a kernel that
// gives huge pages to every mapping can back the heap with them. The heap does not ask for
// them (MADV_HUGEPAGE): where the kernel then compacts memory on the spot to find one, a
// large heap's first use took up to 1.4 s of system time now and then, and the churned
// heap's collections measured no faster with them. Large steps also keep system calls off
// the allocation path.
constexpr TUint64 kCommitStep = TUint64{2} << 20;
constexpr TUint64 kPage = 4096;
constexpr TUint64 kLimit = (TUint64{1} << 32) - AddressSpace::kFirstValid;
// Maps the pages of a committed step in one go: the heap fills its pools front to back, so
// they are all used soon, and one call costs the kernel far less than a fault for each
// page. A kernel without MADV_POPULATE_WRITE refuses, and the pages fault in one by one.
void populate(unsigned char* start, TUint64 bytes) {
    madvise(start, bytes, MADV_POPULATE_WRITE);
}

TUint64 roundUp(TUint64 bytes, TUint64 step) {
    return std::min((bytes + step - 1) / step * step, kLimit);
}

} // namespace

AddressSpace::AddressSpace() {
    // One step more than the range, so that kFirstValid can lie on a step's boundary.
    reservation = mmap(nullptr, kReservedBytes + kCommitStep, PROT_NONE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reservation == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(reservation);
    const std::uintptr_t firstValid = (start + kFirstValid + kCommitStep - 1) & ~(kCommitStep - 1);
    base = reinterpret_cast<unsigned char*>(firstValid - kFirstValid);
}

AddressSpace::~AddressSpace() {
    munmap(reservation, kReservedBytes + kCommitStep);
    MemoryBudget::release(committedSpan);
}

TVMAddress AddressSpace::allocate(TUint32 bytes) {
    TVMAddress untouched;
    return allocate(bytes, untouched);
}

TVMAddress AddressSpace::allocate(TUint32 bytes, TVMAddress& untouched) {
    const TUint64 rounded = (TUint64{bytes} + 7) & ~TUint64{7};
    if (rounded > kLimit - usedSpan) throw std::bad_alloc();
    const TUint64 committedBefore = committedSpan;
    if (usedSpan + rounded > committedSpan) commit(usedSpan + rounded);
    const TVMAddress address = static_cast<TVMAddress>(kFirstValid + usedSpan);
    untouched = static_cast<TVMAddress>(kFirstValid +
                                        std::clamp(committedBefore, usedSpan, usedSpan + rounded));
    usedSpan += rounded;
    return address;
}

// Whole steps when the memory budget allows them, whole pages when only those fit.
void AddressSpace::commit(TUint64 span) {
    TUint64 target = roundUp(span, kCommitStep);
    try {
        MemoryBudget::charge(target - committedSpan);
    } catch (const std::bad_alloc&) {
        target = roundUp(span, kPage);
        MemoryBudget::charge(target - committedSpan);
    }
    unsigned char* const end = base + kFirstValid + committedSpan;
    if (mprotect(end, target - committedSpan, PROT_READ | PROT_WRITE) != 0) {
        MemoryBudget::release(target - committedSpan);
        throw std::bad_alloc();
    }
    populate(end, target - committedSpan);
    committedSpan = target;
}

void AddressSpace::reportBadAccess(TVMAddress address) {
    if (address == 0) throwError(ENullPointer, "NULL pointer");
    raiseFatalMachineError("access outside the machine's memory at address " +
                           std::to_string(address));
}
