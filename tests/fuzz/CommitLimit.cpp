// The machine's address space commits memory with mprotect; this program's own mprotect
// counts what is committed inside the limited machine's region and refuses what goes
// beyond the limit. Every other call passes straight to the kernel.
#include "CommitLimit.h"

#include <cerrno>
#include <cstdint>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The machine reserves the whole 32-bit range and a little more.
constexpr std::uintptr_t kRegionBytes = (std::uintptr_t{1} << 32) + 0x10000;

std::uintptr_t regionStart = 0;
std::size_t bytesLeft = 0;

bool limited(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    return regionStart != 0 && at >= regionStart && at - regionStart < kRegionBytes;
}

} // namespace

CommitLimit::CommitLimit(VirtualMachine& machine, std::size_t bytes) {
    const auto first = reinterpret_cast<std::uintptr_t>(
        machine.memory().hostPointer(AddressSpace::kFirstValid, 1));
    regionStart = first - AddressSpace::kFirstValid;
    bytesLeft = bytes;
}

CommitLimit::~CommitLimit() {
    regionStart = 0;
}

extern "C" int mprotect(void* address, size_t length, int protection) {
    if (limited(address) && (protection & PROT_WRITE) != 0) {
        if (length > bytesLeft) {
            errno = ENOMEM;
            return -1;
        }
        bytesLeft -= length;
    }
    return static_cast<int>(syscall(SYS_mprotect, address, length, protection));
}
