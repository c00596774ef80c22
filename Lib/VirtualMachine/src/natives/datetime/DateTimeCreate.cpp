// Date-time natives that make a new DateTime. Stored into a target cell, it leaves the
// cell's old DateTime to the collector; the target is checked for null before the fields
// are.
#include "DateTimeFamilies.h"

#include <memory>

namespace {

void store(NativeCall& call, TVMAddress target, const Kestro::DateTime& made) {
    storeInCell(call, target, std::make_unique<Kestro::DateTime>(made), GC_CODE_DATETIME);
    call.pop();
}

} // namespace

void storeNow(NativeCall& call, TInt32) {
    store(call, call.word(), Kestro::DateTime::now());
}

void storeCopy(NativeCall& call, TInt32) {
    const Kestro::DateTime source = dateTimeIn(call, call.word());
    store(call, call.word(), source);
}

void storeFromFields(NativeCall& call, TInt32) {
    const TInt32 zone = call.integer();
    const TInt32 second = call.integer();
    const TInt32 minute = call.integer();
    const TInt32 hour = call.integer();
    const TInt32 year = call.integer();
    const TInt32 month = call.integer();
    const TInt32 day = call.integer();
    const TVMAddress target = nonNull(call.word());
    store(call, target, {day, month, year, hour, minute, second, zone});
}

void answerCurrentDateTime(NativeCall& call, TInt32) {
    const Kestro::DateTime now = Kestro::DateTime::now(call.integer());
    call.answer(
        call.heap()
            .allocateNativeWithCell(std::make_unique<Kestro::DateTime>(now), GC_CODE_DATETIME)
            .second);
}
