// The accelerometer (extension 20): the device's acceleration along three axes, in units
// of g, read from the sensor's coordinate file on every call.
#pragma once

#include "ExtensionFunctions.h"
#include "TiltService.h"

#include <memory>

class Accelerometer : public TableExtension<Accelerometer> {
public:
    Accelerometer(MVMCallbackInterface& machine, TiltService* tilt);

private:
    void pushXData(ExtensionCall& call);
    void pushYData(ExtensionCall& call);
    void pushZData(ExtensionCall& call);

    TiltService* tilt; // the host's stand-in for a missing sensor, or null

    friend TableExtension;
    static const ExtensionFunction<Accelerometer> kFunctions[];
    static constexpr const char* kUnknownOpcode = "SensorDLL: Unknown opcode!";
};

std::unique_ptr<Extension> createAccelerometer(const ExtensionContext& context);
