// Date-time natives that change the DateTime in place: moving by a duration, setting a
// field or the zone.
#include "DateTimeFamilies.h"

#include <array>

namespace {

using Setter = void (Kestro::DateTime::*)(TInt32);

// By DateTimeField.
constexpr std::array<Setter, 7> kSetters{
    &Kestro::DateTime::setDay,     &Kestro::DateTime::setMonth,  &Kestro::DateTime::setYear,
    &Kestro::DateTime::setHour,    &Kestro::DateTime::setMinute, &Kestro::DateTime::setSecond,
    &Kestro::DateTime::setTimezone};

} // namespace

void moveByDuration(NativeCall& call, TInt32 direction) {
    const TInt32 seconds = call.integer();
    const TInt32 minutes = call.integer();
    const TInt32 hours = call.integer();
    const TInt32 days = call.integer();
    Kestro::DateTime& date = dateTimeIn(call, call.word());
    if (direction > 0)
        date.addDuration(days, hours, minutes, seconds);
    else
        date.subtractDuration(days, hours, minutes, seconds);
    call.pop();
}

void setDateTimeField(NativeCall& call, TInt32 field) {
    const TInt32 value = call.integer();
    (dateTimeIn(call, call.word()).*kSetters[static_cast<std::size_t>(field)])(value);
    call.pop();
}
