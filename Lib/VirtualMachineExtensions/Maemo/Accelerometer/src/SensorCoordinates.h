// The accelerometer's coordinate file: three integers separated by blanks (decimal, 0x
// hexadecimal or 0 octal, each optionally signed), in thousandths of g. The file is the
// sensor's by default; KESTRO_ACCELEROMETER_FILE points elsewhere.
#pragma once

#include "ORaw.h"

struct SensorCoordinates {
    int first = 0;
    int second = 0;
    int third = 0;
};

// The file as it is now; all 0 when it cannot be opened or holds no three integers.
SensorCoordinates readSensorCoordinates();

// A coordinate in g as a fixed value: single precision divided by 1000.
OFixed coordinateInG(int thousandths);
