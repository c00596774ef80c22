// The date-time native group 29. The getters and the setters come in the order of the
// fields: day, month, year, hour, minute, second, timezone.
#include "DateTimeFamilies.h"
#include "NativeGroups.h"

#include <functional>

namespace {

constexpr NativeFunction kFunctions[] = {
    {1, "now", storeNow},
    {2, "copy", storeCopy},
    {3, "secondCopy", storeCopy},
    {4, "fromFields", storeFromFields},
    {5, "addDuration", moveByDuration, 1},
    {6, "subtractDuration", moveByDuration, -1},
    {7, "getDay", answerDateTimeField, EDay},
    {8, "getMonth", answerDateTimeField, EMonth},
    {9, "getYear", answerDateTimeField, EYear},
    {10, "getHour", answerDateTimeField, EHour},
    {11, "getMinute", answerDateTimeField, EMinute},
    {12, "getSecond", answerDateTimeField, ESecond},
    {13, "getTimezone", answerDateTimeField, ETimezone},
    {14, "setDay", setDateTimeField, EDay},
    {15, "setMonth", setDateTimeField, EMonth},
    {16, "setYear", setDateTimeField, EYear},
    {17, "setHour", setDateTimeField, EHour},
    {18, "setMinute", setDateTimeField, EMinute},
    {19, "setSecond", setDateTimeField, ESecond},
    {20, "setTimezone", setDateTimeField, ETimezone},
    {21, "toText", answerDateTimeText},
    {22, "sameObject", compareReferences<std::equal_to<>>},
    {23, "differentObject", compareReferences<std::not_equal_to<>>},
    {24, "equal", compareInstants<std::equal_to<>>},
    {25, "notEqual", compareInstants<std::not_equal_to<>>},
    {26, "less", compareInstants<std::less<>>},
    {27, "lessOrEqual", compareInstants<std::less_equal<>>},
    {28, "greater", compareInstants<std::greater<>>},
    {29, "greaterOrEqual", compareInstants<std::greater_equal<>>},
};

} // namespace

constinit const NativeTable kDateTimeNatives{kFunctions};
