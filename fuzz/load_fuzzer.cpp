// Fuzz target: any bytes as index.mcb, loaded and started by a machine.
#include "FuzzedApplication.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedApplication application(false);
    application.start({data, size});
    return 0;
}
