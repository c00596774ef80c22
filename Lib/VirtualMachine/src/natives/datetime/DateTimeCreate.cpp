// Date-time natives 1 to 4: a new DateTime stored into a target cell, whose old DateTime
// is left to the collector. The target is checked for null before the fields are.
#include "DateTimeFamilies.h"
#include "NativeObjectCells.h"

#include <memory>

namespace {

void store(NativeCall& call, TVMAddress target, const Kestro::DateTime& made) {
    storeInCell(call, target, std::make_unique<Kestro::DateTime>(made), GC_CODE_DATETIME);
    call.pop();
}

void storeCopy(NativeCall& call) {
    const Kestro::DateTime source = dateTimeIn(call, call.word());
    store(call, call.word(), source);
}

void storeFromFields(NativeCall& call) {
    const TInt32 timezone = call.integer();
    const TInt32 second = call.integer();
    const TInt32 minute = call.integer();
    const TInt32 hour = call.integer();
    const TInt32 year = call.integer();
    const TInt32 month = call.integer();
    const TInt32 day = call.integer();
    const TVMAddress target = nonNull(call.word());
    store(call, target, {day, month, year, hour, minute, second, timezone});
}

} // namespace

bool createDateTime(NativeCall& call, TInt32 function) {
    switch (function) {
    case 1: store(call, call.word(), Kestro::DateTime::now()); return true;
    case 2:
    case 3: storeCopy(call); return true;
    case 4: storeFromFields(call); return true;
    default: return false;
    }
}
