// Fuzzed machines run on a host with little memory: once a machine has committed a given
// number of bytes more of its address space, committing fails as it does on a host that
// has no memory left, and the machine reports it like any exhausted allocation. Without
// this, one allocation of a few gigabytes would stop the fuzzer as running out of memory.
#pragma once

#include "VirtualMachine.h"

#include <cstddef>

class CommitLimit {
public:
    CommitLimit(VirtualMachine& machine, std::size_t bytes);
    ~CommitLimit();
    CommitLimit(const CommitLimit&) = delete;
    CommitLimit& operator=(const CommitLimit&) = delete;
};
