#include "CanvasHandle.h"

#include "ErrorHandling.h"
#include "GcCodes.h"
#include "ScopedRoot.h"

#include <utility>

namespace {

enum HandleWord : TUint32 { EKindWord = 0, ESurfaceWord = 1, EBitmapWord = 2 };
constexpr TUint32 kHandleWords = 3;

// The object of the native-object block at `block` when it is a T, else null.
template <class T> T* nativeObjectAs(const VMHeap& heap, TVMAddress block) {
    return dynamic_cast<T*>(heap.nativeObject(block));
}

// A native-object block owning the object, or 0 for no object.
TVMAddress blockFor(VMHeap& heap, std::unique_ptr<GCObject> object) {
    return object ? heap.allocateNative(std::move(object), GC_CODE_DATA) : 0;
}

TVMAddress makeHandle(VMHeap& heap, CanvasKind kind, TVMAddress surface, TVMAddress bitmap) {
    const ScopedRoot keepSurface(heap, surface);
    const ScopedRoot keepBitmap(heap, bitmap);
    const TVMAddress handle = heap.allocateWords(kHandleWords, GC_CODE_REF_CELL);
    AddressSpace& memory = heap.memory();
    memory.store32(handle + 4 * EKindWord, kind);
    memory.store32(handle + 4 * ESurfaceWord, surface);
    memory.store32(handle + 4 * EBitmapWord, bitmap);
    return handle;
}

} // namespace

TVMAddress makeScreenCanvas(VMHeap& heap, std::unique_ptr<DrawingSurface> surface) {
    return makeHandle(heap, EScreenCanvas, blockFor(heap, std::move(surface)), 0);
}

TVMAddress makeBitmapHandle(VMHeap& heap, std::unique_ptr<VMBitmap> bitmap) {
    return makeHandle(heap, EBitmapCanvas, 0, blockFor(heap, std::move(bitmap)));
}

TUint32 CanvasHandle::kind() const {
    return word(EKindWord);
}

DrawingSurface* CanvasHandle::surface(CanvasService& canvases) {
    const TUint32 handleKind = kind();
    if (handleKind != EScreenCanvas && handleKind != EBitmapCanvas)
        throwError(EVMException, "Invalid object type ID");
    if (DrawingSurface* existing = storedSurface()) return existing;
    VMBitmap* picture = handleKind == EBitmapCanvas ? bitmap() : nullptr;
    if (!picture) return nullptr;
    std::unique_ptr<DrawingSurface> made = canvases.drawOn(*picture);
    DrawingSurface* surface = made.get();
    const ScopedRoot keepHandle(heap, handle);
    setWord(ESurfaceWord, blockFor(heap, std::move(made)));
    return surface;
}

VMBitmap* CanvasHandle::bitmap() const {
    if (kind() != EBitmapCanvas) throwError(EVMException, "Invalid typeid on bitmap");
    const TVMAddress block = word(EBitmapWord);
    if (block == 0) return nullptr;
    auto* picture = nativeObjectAs<VMBitmap>(heap, block);
    if (!picture) throwError(EVMException, "Invalid typeid on bitmap");
    return picture;
}

void CanvasHandle::endDrawing() {
    if (kind() != EBitmapCanvas) throwError(EVMException, "Invalid bitmap handle");
    if (DrawingSurface* surface = storedSurface()) surface->endDrawing();
    setWord(ESurfaceWord, 0);
}

void CanvasHandle::setBitmap(std::unique_ptr<VMBitmap> bitmap) {
    if (kind() != EBitmapCanvas) throwError(EVMException);
    setWord(EBitmapWord, blockFor(heap, std::move(bitmap)));
}

TVMAddress CanvasHandle::word(TUint32 index) const {
    return heap.memory().load32(handle + 4 * index);
}

void CanvasHandle::setWord(TUint32 index, TVMAddress value) {
    heap.memory().store32(handle + 4 * index, value);
}

// The surface word: 0 or a surface's block; anything else is a forged handle.
DrawingSurface* CanvasHandle::storedSurface() const {
    const TVMAddress block = word(ESurfaceWord);
    if (block == 0) return nullptr;
    auto* surface = nativeObjectAs<DrawingSurface>(heap, block);
    if (!surface) throwError(EVMException, "Invalid object type ID");
    return surface;
}
