// Kestro::DateTime to and from QDateTime.
#include "DateTime.h"

#include "ErrorHandling.h"

#include <QDateTime>

namespace Kestro {

namespace {

// QDate has no year 0: the year before 1 is -1 there.
int qtYear(TInt32 year) {
    return year > 0 ? year : year - 1;
}

TInt32 yearOf(const QDate& date) {
    return date.year() > 0 ? date.year() : date.year() + 1;
}

// A local time that the clock skips when it is put forward, read with the offset from UTC
// in force a day before.
QDateTime localTimeAcrossGap(const QDate& date, const QTime& time) {
    const QDateTime asUtc(date, time, Qt::UTC);
    const int offsetBefore = asUtc.addDays(-1).toLocalTime().offsetFromUtc();
    return asUtc.addSecs(-offsetBefore).toLocalTime();
}

} // namespace

bool DateTime::isDate(TInt32 aDay, TInt32 aMonth, TInt32 aYear) {
    return QDate::isValid(qtYear(aYear), aMonth, aDay);
}

QDateTime DateTime::toQDateTime() const {
    const QDate date(qtYear(year), month, day);
    const QTime time(hour, minute, second, 0);
    const QDateTime instant(date, time, timezone == EUtc ? Qt::UTC : Qt::LocalTime);
    return instant.isValid() || timezone == EUtc ? instant : localTimeAcrossGap(date, time);
}

void DateTime::readBack(const QDateTime& instant) {
    if (!instant.isValid()) throwError(EInvalidArgument);
    const QDate date = instant.date();
    const QTime time = instant.time();
    day = date.day();
    month = date.month();
    year = yearOf(date);
    hour = time.hour();
    minute = time.minute();
    second = time.second();
}

} // namespace Kestro
