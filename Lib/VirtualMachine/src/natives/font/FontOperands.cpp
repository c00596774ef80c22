#include "FontOperands.h"

#include "CheckRange.h"
#include "ErrorHandling.h"
#include "GcCodes.h"
#include "NativeObjectCells.h"

#include <utility>

CAppsFont* fontOperand(NativeCall& call) {
    const TVMAddress block = call.memory().load32(nonNull(call.word()));
    if (block == 0) return nullptr;
    auto* font = dynamic_cast<CAppsFont*>(call.heap().nativeObject(block));
    if (!font) throwError(EVMException, "Invalid object type ID");
    return font;
}

TextRun textOperand(NativeCall& call, bool hasRange) {
    const RangeOperand range = hasRange ? call.uncheckedRange() : RangeOperand{0, -1};
    const OString& text = call.string();
    TInt32 length = range.length;
    checkRange(0, text.length(), range.first, length);
    return {text, range.first, length};
}

TVMAddress newFontCell(NativeCall& call, std::unique_ptr<CAppsFont> font) {
    if (!font) throwError(EInvalidArgument);
    return call.newCell(call.heap().allocateNative(std::move(font), GC_CODE_FONT));
}
