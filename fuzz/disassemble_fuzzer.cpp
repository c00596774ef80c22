// Fuzz target: any bytes the module reader accepts print as assembly source that
// assembles back to the same bytes.
#include "RoundTrip.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkRoundTrip({data, data + size});
    return 0;
}
