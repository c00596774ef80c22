// ClassLayouts: where the instances of each class hold references, flattened from the
// module tables for marking: per class, the word indexes of its reference fields and of its
// array fields with the kind of their elements.
#pragma once

#include "ModuleTables.h"

#include <span>
#include <vector>

class ClassLayouts {
public:
    struct ArrayField {
        TUint32 word;
        bool elementsAreReferences;
    };
    struct Layout {
        std::span<const TUint32> references;
        std::span<const ArrayField> arrays;
    };

    // Takes the layouts from the tables, which the loader may have grown since.
    void update(const ModuleTables& tables);
    // The layout of a class whose instances hold references or arrays; null for a class
    // whose instances hold neither, which marking need not look into, and for an index that
    // names no class.
    const Layout* find(TUint32 classIndex) const {
        return classIndex < known.size() ? known[classIndex] : nullptr;
    }

private:
    std::vector<TUint32> referenceWords;
    std::vector<ArrayField> arrayFields;
    std::vector<Layout> layouts;
    std::vector<const Layout*> traced;    // per class, its layout, or null when it is empty
    std::span<const Layout* const> known; // `traced`, whose count a span keeps at hand
};
