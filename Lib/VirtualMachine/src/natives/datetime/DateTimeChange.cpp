// Date-time natives 5 and 6 (moving by a duration) and 14 to 20 (setting a field or the
// zone). They change the DateTime in place.
#include "DateTimeFamilies.h"

#include <array>

namespace {

using Setter = void (Kestro::DateTime::*)(TInt32);

// Functions 14 to 20.
constexpr std::array<Setter, 7> kSetters{
    &Kestro::DateTime::setDay,     &Kestro::DateTime::setMonth,  &Kestro::DateTime::setYear,
    &Kestro::DateTime::setHour,    &Kestro::DateTime::setMinute, &Kestro::DateTime::setSecond,
    &Kestro::DateTime::setTimezone};

void moveByDuration(NativeCall& call, bool forwards) {
    const TInt32 seconds = call.integer();
    const TInt32 minutes = call.integer();
    const TInt32 hours = call.integer();
    const TInt32 days = call.integer();
    Kestro::DateTime& date = dateTimeIn(call, call.word());
    if (forwards)
        date.addDuration(days, hours, minutes, seconds);
    else
        date.subtractDuration(days, hours, minutes, seconds);
}

void setField(NativeCall& call, Setter setter) {
    const TInt32 value = call.integer();
    (dateTimeIn(call, call.word()).*setter)(value);
}

} // namespace

bool changeDateTime(NativeCall& call, TInt32 function) {
    if (function == 5 || function == 6)
        moveByDuration(call, function == 5);
    else if (function >= 14 && function <= 20)
        setField(call, kSetters[static_cast<std::size_t>(function - 14)]);
    else
        return false;
    call.pop();
    return true;
}
