// The accelerometer's coordinate file: three integers separated by blanks (decimal, 0x
// hexadecimal or 0 octal, each optionally signed), in thousandths of g. The file is the
// sensor's by default; KESTRO_ACCELEROMETER_FILE points elsewhere. Where no such file
// exists, the host's tilt (a desktop's keyboard) stands in for the sensor.
#pragma once

#include "ORaw.h"
#include "TiltService.h"

struct SensorCoordinates {
    int first = 0;
    int second = 0;
    int third = 0;
};

// The file as it is now; the tilt's values when there is no file and a tilt service;
// all 0 when it cannot be opened otherwise or holds no three integers.
SensorCoordinates readSensorCoordinates(TiltService* tilt);

// A coordinate in g as a fixed value: single precision divided by 1000.
OFixed coordinateInG(int thousandths);
