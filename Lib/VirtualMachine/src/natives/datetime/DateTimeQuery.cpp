// Date-time natives that answer a field or the text form in place of the DateTime operand.
#include "DateTimeFamilies.h"

#include <array>

namespace {

using Getter = TInt32 (Kestro::DateTime::*)() const;

// By DateTimeField.
constexpr std::array<Getter, 7> kGetters{
    &Kestro::DateTime::getDay,     &Kestro::DateTime::getMonth,  &Kestro::DateTime::getYear,
    &Kestro::DateTime::getHour,    &Kestro::DateTime::getMinute, &Kestro::DateTime::getSecond,
    &Kestro::DateTime::getTimezone};

} // namespace

void answerDateTimeField(NativeCall& call, TInt32 field) {
    const Getter getter = kGetters[static_cast<std::size_t>(field)];
    call.answer(static_cast<TUint32>((dateTimeIn(call, call.word()).*getter)()));
}

void answerDateTimeText(NativeCall& call, TInt32) {
    const OString text = dateTimeIn(call, call.word()).toText();
    call.answer(call.newString(text));
}
