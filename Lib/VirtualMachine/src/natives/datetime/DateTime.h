// Kestro::DateTime: a calendar date and clock time with second resolution, in local time or
// in UTC, as the application's DateTime objects hold it. Calendar arithmetic and conversion
// between the zones go through QDateTime.
//
// Years are numbered astronomically: year 0 is the year before year 1 (which the calendar
// also calls 1 BC), so every year from 0 to 9999 is an ordinary proleptic Gregorian year.
// Arithmetic may carry a date beyond that span; years above 9999 and below 0 are kept.
//
// Every DateTime names a date that exists. A local time that the clock skips when it is put
// forward for daylight-saving time is read with the offset in force before the change: in
// a gap from 03:00 to 04:00, 03:30 is the instant the clock shows as 04:30.
#pragma once

#include "GCObject.h"
#include "OString.h"
#include "Types.h"

// Qt stays out of this header: its keyword macros would clash with the machine's own
// headers wherever they are included after it.
class QDateTime;

namespace Kestro {

class DateTime : public GCObject {
public:
    enum Timezone : TInt32 { ELocalTime = 0, EUtc = 1 };

    // The current time in the zone; any zone but 0 and 1 raises InvalidArgumentException
    // "Invalid timezone".
    static DateTime now(TInt32 timezone = ELocalTime);

    // The fields as given in that zone. The first field out of its range raises
    // InvalidArgumentException with "Invalid year", "Invalid month", "Invalid day" (also for
    // a day the month does not have), "Invalid hour", "Invalid minute", "Invalid second" or
    // "Invalid timezone".
    DateTime(TInt32 day, TInt32 month, TInt32 year, TInt32 hour, TInt32 minute, TInt32 second,
             TInt32 timezone);

    TInt32 getTimezone() const { return timezone; }
    TInt32 getDay() const { return day; }
    TInt32 getMonth() const { return month; }
    TInt32 getYear() const { return year; }
    TInt32 getHour() const { return hour; }
    TInt32 getMinute() const { return minute; }
    TInt32 getSecond() const { return second; }

    // Setters replace one field. A value outside its range (day 1..31, month 1..12, year
    // 0..9999, hour 0..23, minute and second 0..59), or one that would make a date that
    // does not exist, raises InvalidArgumentException and changes nothing.
    void setDay(TInt32 value);
    void setMonth(TInt32 value);
    void setYear(TInt32 value);
    void setHour(TInt32 value);
    void setMinute(TInt32 value);
    void setSecond(TInt32 value);
    // Converts to the zone: the same instant in the other zone's fields. A zone other than
    // 0 and 1 raises InvalidArgumentException; the current zone changes nothing.
    void setTimezone(TInt32 value);

    // Moves the date and time by a duration; the total is counted in 64 bits, so any
    // duration of 32-bit parts moves as far as it says.
    void addDuration(TInt32 days, TInt32 hours, TInt32 minutes, TInt32 seconds);
    void subtractDuration(TInt32 days, TInt32 hours, TInt32 minutes, TInt32 seconds);

    // -1, 0 or 1 as this instant is before, the same as or after the other one; a DateTime
    // in the other zone is compared as converted to this one's zone.
    TInt32 compare(const DateTime& other) const;
    // Compares hour, minute and second of two DateTimes in the same zone.
    TInt32 compareTimeTo(const DateTime& dt) const;

    // "YYYY-MM-DD hh:mm:ss", with a trailing "Z" for UTC. The year has at least four
    // digits (a negative year is written as "-" and the digits of its magnitude).
    OString toText() const;

    // The instant in the DateTime's own zone.
    QDateTime toQDateTime() const;

private:
    DateTime(const QDateTime& instant, TInt32 zone);
    // Whether the calendar has that day; the year counts as in the fields.
    static bool isDate(TInt32 aDay, TInt32 aMonth, TInt32 aYear);
    // Replaces one field by a value in [low, high] that leaves a date that exists.
    void changeField(TInt32 DateTime::*field, TInt32 value, TInt32 low, TInt32 high);
    void moveBy(TInt64 seconds);
    // Takes the date and time of the instant; an instant beyond what QDateTime can hold
    // raises InvalidArgumentException and changes nothing.
    void readBack(const QDateTime& instant);

    TInt32 timezone;
    TInt32 day;
    TInt32 month;
    TInt32 year;
    TInt32 hour;
    TInt32 minute;
    TInt32 second;
};

} // namespace Kestro
