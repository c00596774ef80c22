// A location value: three coordinates, a fourth value, a date and time, and a flag. Its date
// is a private copy, or a DateTime object of the application's heap that the location then
// keeps alive.
#pragma once

#include "AddressSpace.h"
#include "DateTime.h"
#include "GCObject.h"
#include "ORaw.h"

#include <memory>

class CLocation : public GCObject {
public:
    CLocation(OFixed first, OFixed second, OFixed third, OFixed fourth,
              const Kestro::DateTime& dateTime, TInt32 flag);

    void collectReferences(Vec<int>& markStack) override;

    OFixed iSecond;
    OFixed iFirst;
    OFixed iThird;
    OFixed iFourth;
    TInt32 iFlag;

    const Kestro::DateTime& dateTime() const { return *date; }
    // The date becomes that object of the heap itself (its block at `object`).
    void shareDateTime(Kestro::DateTime& shared, TVMAddress object);

private:
    std::unique_ptr<Kestro::DateTime> ownDate;
    Kestro::DateTime* date;
    TVMAddress sharedDate = 0;
};
