// Memory streams that count their deletions, for tests of who deletes a file's stream.
#pragma once

#include "Stream.h"

#include <vector>

class CountedInput : public KESTRO::MemoryInputStream {
public:
    explicit CountedInput(int& aDeleted)
        : KESTRO::MemoryInputStream(std::vector<TUint8>{1, 2, 3}), deleted(aDeleted) {}
    ~CountedInput() override { ++deleted; }
    // Closes as a file stream does (a memory stream stays open).
    void close() override { openFlag = false; }

private:
    int& deleted;
};

class CountedOutput : public KESTRO::MemoryOutputStream {
public:
    explicit CountedOutput(int& aDeleted) : deleted(aDeleted) {}
    ~CountedOutput() override { ++deleted; }

private:
    int& deleted;
};
