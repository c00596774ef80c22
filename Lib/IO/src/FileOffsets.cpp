#include "FileOffsets.h"

#include <limits>

namespace KESTRO::FileOffsets {

namespace {

std::optional<TUint32> toOffset(long value) {
    if (value < 0 || static_cast<unsigned long>(value) > std::numeric_limits<TUint32>::max())
        return std::nullopt;
    return static_cast<TUint32>(value);
}

bool moveTo(std::FILE* file, long offset, int origin) {
    return std::fseek(file, offset, origin) == 0;
}

} // namespace

std::optional<TUint32> position(std::FILE* file) {
    if (!file) return std::nullopt;
    return toOffset(std::ftell(file));
}

std::optional<TUint32> size(std::FILE* file) {
    const std::optional<TUint32> current = position(file);
    if (!current || !moveTo(file, 0, SEEK_END)) return std::nullopt;
    const long end = std::ftell(file);
    if (!moveTo(file, static_cast<long>(*current), SEEK_SET)) return std::nullopt;
    return toOffset(end);
}

bool seek(std::FILE* file, TUint32 target) {
    const std::optional<TUint32> length = size(file);
    return length && target <= *length && moveTo(file, static_cast<long>(target), SEEK_SET);
}

} // namespace KESTRO::FileOffsets
