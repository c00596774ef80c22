#include "NativePicker.h"

#include "NativeGroups.h"

#include <vector>

namespace {

// Each group with functions once, the string and array groups several times.
const std::vector<int>& weightedGroups() {
    static const std::vector<int> groups = [] {
        std::vector<int> list;
        for (int group = 1; group < 64; ++group) {
            if (nativeGroupInfo(group).functions.empty()) continue;
            const int weight = group == 8 ? 6 : group <= 7 ? 2 : 1;
            list.insert(list.end(), static_cast<std::size_t>(weight), group);
        }
        return list;
    }();
    return groups;
}

} // namespace

NativeChoice pickNative(FuzzChoices& choices, bool unknown) {
    if (unknown && choices.oneIn(16)) return {choices.number(-128, 127), choices.number(-128, 127)};
    const int group = choices.from(std::span<const int>(weightedGroups()));
    const NativeTable functions = nativeGroupInfo(group).functions;
    if (unknown && choices.oneIn(8)) return {group, choices.number(-128, 127)};
    return {group,
            functions[static_cast<std::size_t>(choices.index(static_cast<int>(functions.size())))]
                .number};
}
