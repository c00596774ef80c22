// The size and position native groups 15 and 16. Both values are a pair of ints, width
// and height or x and y, with the same functions; a size refuses a negative width or
// height with InvalidArgumentException, a position takes any int.
#include "GeometryValues.h"
#include "NativeGroups.h"

#include <array>

namespace {

using namespace geometry;

// The names of the functions that differ between the two groups.
struct PairNames {
    const char* construct;
    const char* first;
    const char* second;
    const char* setFirst;
    const char* setSecond;
};

template <Sign sign> constexpr std::array<NativeFunction, 9> pairFunctions(PairNames names) {
    return {{
        {1, "reset", reset<2>},
        {2, "copy", copy<2>},
        {3, names.construct, assign<2, 2, sign>},
        {4, names.first, answerPart<2, 1>, 0},
        {5, names.second, answerPart<2, 1>, 1},
        {6, names.setFirst, assign<2, 1, sign>, 0},
        {7, names.setSecond, assign<2, 1, sign>, 1},
        {8, "equal", equal<2>},
        {9, "notEqual", notEqual<2>},
    }};
}

constexpr auto kSizeFunctions = pairFunctions<Sign::NonNegative>(
    {"fromWidthAndHeight", "width", "height", "setWidth", "setHeight"});
constexpr auto kPositionFunctions =
    pairFunctions<Sign::Any>({"fromXAndY", "x", "y", "setX", "setY"});

} // namespace

constinit const NativeTable kSizeNatives{kSizeFunctions};
constinit const NativeTable kPositionNatives{kPositionFunctions};
