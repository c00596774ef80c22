#include "ClassLayouts.h"

#include <algorithm>

namespace {

template <class T>
const std::vector<T>& rowOf(const std::vector<std::vector<T>>& table, std::size_t row) {
    static const std::vector<T> none;
    return row < table.size() ? table[row] : none;
}

} // namespace

// Field indexes the module gives as negative become large and fall outside every object.
void ClassLayouts::update(const ModuleTables& tables) {
    const std::size_t classes =
        std::max(tables.classReferenceFields.size(), tables.classArrayFields.size());
    referenceWords.clear();
    arrayFields.clear();
    std::vector<std::pair<std::size_t, std::size_t>> starts;
    for (std::size_t c = 0; c < classes; ++c) {
        starts.emplace_back(referenceWords.size(), arrayFields.size());
        for (const TInt32 field : rowOf(tables.classReferenceFields, c))
            referenceWords.push_back(static_cast<TUint32>(field));
        const std::vector<TInt32>& arrays = rowOf(tables.classArrayFields, c);
        const std::vector<TUint8>& flags = rowOf(tables.classArrayFieldHoldsReferences, c);
        for (std::size_t k = 0; k < arrays.size(); ++k)
            arrayFields.push_back(
                {static_cast<TUint32>(arrays[k]), k < flags.size() && flags[k] != 0});
    }
    starts.emplace_back(referenceWords.size(), arrayFields.size());
    layouts.clear();
    for (std::size_t c = 0; c < classes; ++c) {
        layouts.push_back(
            {std::span(referenceWords)
                 .subspan(starts[c].first, starts[c + 1].first - starts[c].first),
             std::span(arrayFields)
                 .subspan(starts[c].second, starts[c + 1].second - starts[c].second)});
    }
    traced.clear();
    for (const Layout& layout : layouts)
        traced.push_back(layout.references.empty() && layout.arrays.empty() ? nullptr : &layout);
    known = traced;
}
