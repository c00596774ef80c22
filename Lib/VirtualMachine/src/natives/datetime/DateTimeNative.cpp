// The date-time native group 29, and System 9, which makes a DateTime of the current time.
#include "DateTimeFamilies.h"
#include "NativeObjectCells.h"
#include "VirtualMachine.h"

#include <memory>

Kestro::DateTime& dateTimeIn(NativeCall& call, TVMAddress cell) {
    return objectInCell<Kestro::DateTime>(call, cell, "not a DateTime");
}

void VirtualMachine::dateTimeNative(TInt32 function) {
    NativeCall call(*this, 29);
    if (createDateTime(call, function) || changeDateTime(call, function) ||
        queryDateTime(call, function) || compareDateTimes(call, function))
        return;
    unknownNativeFunction("DateTime:");
}

void answerCurrentDateTime(NativeCall& call, TInt32) {
    const Kestro::DateTime now = Kestro::DateTime::now(call.integer());
    call.answer(
        call.heap()
            .allocateNativeWithCell(std::make_unique<Kestro::DateTime>(now), GC_CODE_DATETIME)
            .second);
}
