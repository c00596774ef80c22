// Told when the heap frees a block whose code is GC_CODE_STREAM_HOLDER, before the block
// becomes free, so that the stream the holder names can be let go. The code comes from a
// header the bytecode can write, so the payload may hold anything. The finaliser must not
// allocate or free heap blocks.
#pragma once

#include "AddressSpace.h"

class MStreamHolderFinaliser {
public:
    virtual ~MStreamHolderFinaliser() = default;
    virtual void destructStreamHolder(TVMAddress payload) = 0;
};
