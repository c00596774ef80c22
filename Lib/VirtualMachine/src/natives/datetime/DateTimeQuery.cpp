// Date-time natives 7 to 13 (the fields) and 21 (the text form): the result replaces the
// DateTime operand.
#include "DateTimeFamilies.h"

#include <array>

namespace {

using Getter = TInt32 (Kestro::DateTime::*)() const;

// Functions 7 to 13.
constexpr std::array<Getter, 7> kGetters{
    &Kestro::DateTime::getDay,     &Kestro::DateTime::getMonth,  &Kestro::DateTime::getYear,
    &Kestro::DateTime::getHour,    &Kestro::DateTime::getMinute, &Kestro::DateTime::getSecond,
    &Kestro::DateTime::getTimezone};

} // namespace

bool queryDateTime(NativeCall& call, TInt32 function) {
    if (function == 21) {
        const OString text = dateTimeIn(call, call.word()).toText();
        call.answer(call.newString(text));
        return true;
    }
    if (function < 7 || function > 13) return false;
    const Getter getter = kGetters[static_cast<std::size_t>(function - 7)];
    call.answer(static_cast<TUint32>((dateTimeIn(call, call.word()).*getter)()));
    return true;
}
