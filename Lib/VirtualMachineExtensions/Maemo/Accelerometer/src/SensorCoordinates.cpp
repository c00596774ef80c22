#include "SensorCoordinates.h"

#include "PlatformPath.h"

#include <cerrno>
#include <cstdio>

SensorCoordinates readSensorCoordinates(TiltService* tilt) {
    const std::string path =
        platformPath("KESTRO_ACCELEROMETER_FILE", "/sys/class/i2c-adapter/i2c-3/3-001d/coord");
    SensorCoordinates read;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file && errno == ENOENT && tilt) {
        const Tilt now = tilt->currentTilt();
        return {now.first, now.second, now.third};
    }
    if (!file) return {};
    const int fields = std::fscanf(file, "%i %i %i", &read.first, &read.second, &read.third);
    std::fclose(file);
    return fields == 3 ? read : SensorCoordinates{};
}

OFixed coordinateInG(int thousandths) {
    return ORaw::toFixed(static_cast<float>(thousandths) / 1000.0f);
}
