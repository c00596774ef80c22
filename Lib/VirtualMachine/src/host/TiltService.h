// The device's tilt where it has no acceleration sensor of its own, as the sensor's
// coordinate file would give it: three values in thousandths of g (the file's first,
// second and third). Level, face up, is (0, 0, -1000).
#pragma once

#include "Types.h"

struct Tilt {
    TInt32 first = 0;
    TInt32 second = 0;
    TInt32 third = -1000;

    bool operator==(const Tilt&) const = default;
};

class TiltService {
public:
    virtual ~TiltService() = default;
    virtual Tilt currentTilt() = 0;
};
