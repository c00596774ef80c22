#include "StackScan.h"

#include <algorithm>

namespace {

bool holdsReferences(const std::vector<TUint8>& flags, std::size_t index) {
    return index < flags.size() && flags[index] != 0;
}

// One walk up the stack. `position` is how far the slots have been read; it only moves up,
// and no slot outside [0, top] is read, whatever the frames claim. A frame's slots count
// from its own base: a frame may start inside the one below it, as the frame that
// vminternalthrow gets when a call overflows the stack before it pushed its locals.
class StackScan {
public:
    StackScan(Marker& aMarker, const OperandStackView& aStack)
        : marker(aMarker), stack(aStack),
          top(std::min<TInt64>(aStack.top, static_cast<TInt64>(aStack.slots.size()) - 1)) {}

    void run() {
        const std::size_t frames = std::min(stack.frameMethods.size(), stack.frameBases.size());
        for (std::size_t i = 0; i < frames; ++i) {
            const TInt32 method = stack.frameMethods[i];
            if (method < 0 || static_cast<std::size_t>(method) >= stack.frameLayouts.size())
                continue;
            base = stack.frameBases[i];
            markConservatively(base);
            markFrame(stack.frameLayouts[static_cast<std::size_t>(method)]);
        }
        markConservatively(top + 1);
    }

private:
    void markConservatively(TInt64 end) {
        for (; position < end && position <= top; ++position)
            marker.markPointer(stack.slots[static_cast<std::size_t>(position)]);
    }

    void markFrame(const MethodGCInfo& layout) {
        // Arguments may be addresses of variables anywhere, so they are resolved like
        // conservative values.
        for (const TInt32 offset : layout.argumentReferenceSlots) {
            const TUint32 value = slot(offset);
            if (value != 0 && !stack.pointsIntoStack(value) && !marker.isMarkedObject(value))
                marker.markPointer(value);
        }
        for (std::size_t i = 0; i < layout.argumentArraySlots.size(); ++i) {
            const TUint32 variable = slot(layout.argumentArraySlots[i]);
            if (variable != 0)
                marker.markArrayField(variable,
                                      holdsReferences(layout.argumentArrayHoldsReferences, i));
        }
        for (const TInt32 offset : layout.localReferenceSlots) {
            const TUint32 value = slot(offset);
            if (!stack.pointsIntoStack(value)) marker.markReference(value);
        }
        // A local array variable is two slots: the array reference and the element size.
        for (std::size_t i = 0; i < layout.localArraySlots.size(); ++i) {
            const TInt64 offset = layout.localArraySlots[i];
            if (base + offset + 1 <= top)
                marker.markArray(slot(offset),
                                 holdsReferences(layout.localArrayHoldsReferences, i));
        }
        const TInt64 frameSlots =
            TInt64{layout.resultSlots} + layout.argumentSlots + 1 + layout.localSlots;
        position = std::max(position, std::min(base + frameSlots, top + 1));
    }

    // The slot at `offset` from the frame's base, or 0 outside [0, top].
    TUint32 slot(TInt64 offset) const {
        const TInt64 index = base + offset;
        return index >= 0 && index <= top ? stack.slots[static_cast<std::size_t>(index)] : 0;
    }

    Marker& marker;
    const OperandStackView& stack;
    const TInt64 top;
    TInt64 position = 0;
    TInt64 base = 0; // of the frame being read
};

} // namespace

void markFromOperandStack(Marker& marker, const OperandStackView& stack) {
    StackScan(marker, stack).run();
}
