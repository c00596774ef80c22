#include "KeyEvent.h"

#include "GcCodes.h"
#include "VMHeap.h"

#include <memory>

namespace Kestro {

TVMAddress KeyEvent::create(VMHeap& heap, TInt32 keyCode, TInt32 scanCode, TInt32 modifiers,
                            OString text) {
    return heap.allocateNative(
        std::make_unique<KeyEvent>(keyCode, scanCode, modifiers, std::move(text)), GC_CODE_DATA);
}

} // namespace Kestro
