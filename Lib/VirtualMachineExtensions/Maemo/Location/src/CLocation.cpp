#include "CLocation.h"

#include "Vec.h"

CLocation::CLocation(OFixed first, OFixed second, OFixed third, OFixed fourth,
                     const Kestro::DateTime& dateTime, TInt32 flag)
    : iSecond(second), iFirst(first), iThird(third), iFourth(fourth), iFlag(flag),
      ownDate(std::make_unique<Kestro::DateTime>(dateTime)), date(ownDate.get()) {}

void CLocation::collectReferences(Vec<int>& markStack) {
    if (sharedDate != 0) markStack.append(static_cast<int>(sharedDate));
}

void CLocation::shareDateTime(Kestro::DateTime& shared, TVMAddress object) {
    ownDate.reset();
    date = &shared;
    sharedDate = object;
}
