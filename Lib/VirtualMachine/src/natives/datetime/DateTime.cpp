// Kestro::DateTime: validation, field changes, durations, comparison and the text form.
#include "DateTime.h"

#include "ErrorHandling.h"

#include <QDateTime>

#include <compare>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace Kestro {

namespace {

constexpr TInt32 kLastYear = 9999;

bool within(TInt32 value, TInt32 low, TInt32 high) {
    return value >= low && value <= high;
}

bool isTimezone(TInt32 value) {
    return value == DateTime::ELocalTime || value == DateTime::EUtc;
}

// Raises InvalidArgumentException with the message unless the condition holds.
void require(bool condition, const char* message) {
    if (!condition) throwError(EInvalidArgument, message);
}

TInt32 signOf(std::strong_ordering order) {
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

TInt64 totalSeconds(TInt32 days, TInt32 hours, TInt32 minutes, TInt32 seconds) {
    return TInt64{86400} * days + TInt64{3600} * hours + TInt64{60} * minutes + seconds;
}

} // namespace

DateTime DateTime::now(TInt32 timezone) {
    require(isTimezone(timezone), "Invalid timezone");
    return {timezone == EUtc ? QDateTime::currentDateTimeUtc() : QDateTime::currentDateTime(),
            timezone};
}

DateTime::DateTime(TInt32 aDay, TInt32 aMonth, TInt32 aYear, TInt32 anHour, TInt32 aMinute,
                   TInt32 aSecond, TInt32 aTimezone)
    : timezone(aTimezone), day(aDay), month(aMonth), year(aYear), hour(anHour), minute(aMinute),
      second(aSecond) {
    require(within(year, 0, kLastYear), "Invalid year");
    require(within(month, 1, 12), "Invalid month");
    require(within(day, 1, 31) && isDate(day, month, year), "Invalid day");
    require(within(hour, 0, 23), "Invalid hour");
    require(within(minute, 0, 59), "Invalid minute");
    require(within(second, 0, 59), "Invalid second");
    require(isTimezone(timezone), "Invalid timezone");
}

DateTime::DateTime(const QDateTime& instant, TInt32 zone) : timezone(zone) {
    readBack(instant);
}

void DateTime::setDay(TInt32 value) {
    changeField(&DateTime::day, value, 1, 31);
}

void DateTime::setMonth(TInt32 value) {
    changeField(&DateTime::month, value, 1, 12);
}

void DateTime::setYear(TInt32 value) {
    changeField(&DateTime::year, value, 0, kLastYear);
}

void DateTime::setHour(TInt32 value) {
    changeField(&DateTime::hour, value, 0, 23);
}

void DateTime::setMinute(TInt32 value) {
    changeField(&DateTime::minute, value, 0, 59);
}

void DateTime::setSecond(TInt32 value) {
    changeField(&DateTime::second, value, 0, 59);
}

void DateTime::changeField(TInt32 DateTime::*field, TInt32 value, TInt32 low, TInt32 high) {
    require(within(value, low, high), "");
    DateTime changed = *this;
    changed.*field = value;
    require(isDate(changed.day, changed.month, changed.year), "");
    // Through QDateTime, which moves a local time out of a daylight-saving gap.
    readBack(changed.toQDateTime());
}

void DateTime::setTimezone(TInt32 value) {
    if (value == timezone) return;
    require(isTimezone(value), "");
    readBack(toQDateTime().toTimeSpec(value == EUtc ? Qt::UTC : Qt::LocalTime));
    timezone = value;
}

void DateTime::addDuration(TInt32 days, TInt32 hours, TInt32 minutes, TInt32 seconds) {
    moveBy(totalSeconds(days, hours, minutes, seconds));
}

void DateTime::subtractDuration(TInt32 days, TInt32 hours, TInt32 minutes, TInt32 seconds) {
    moveBy(-totalSeconds(days, hours, minutes, seconds));
}

void DateTime::moveBy(TInt64 seconds) {
    readBack(toQDateTime().addSecs(seconds));
}

TInt32 DateTime::compare(const DateTime& other) const {
    if (other.timezone != timezone) {
        DateTime converted = other;
        converted.setTimezone(timezone);
        return compare(converted);
    }
    const TInt32 byDate =
        signOf(std::tie(year, month, day) <=> std::tie(other.year, other.month, other.day));
    return byDate != 0 ? byDate : compareTimeTo(other);
}

TInt32 DateTime::compareTimeTo(const DateTime& dt) const {
    KESTRO_ASSERT(this->getTimezone() == dt.getTimezone());
    return signOf(std::tie(hour, minute, second) <=> std::tie(dt.hour, dt.minute, dt.second));
}

OString DateTime::toText() const {
    char text[64];
    std::snprintf(text, sizeof text, "%s%04lld-%02d-%02d %02d:%02d:%02d%s", year < 0 ? "-" : "",
                  std::llabs(year), month, day, hour, minute, second, timezone == EUtc ? "Z" : "");
    return OString(text);
}

} // namespace Kestro
