#include "Accelerometer.h"

#include "SensorCoordinates.h"

// The sensor's axes are not the screen's: the file's second value is X, its first Y.
const ExtensionFunction<Accelerometer> Accelerometer::kFunctions[] = {
    {11, &Accelerometer::pushXData},
    {12, &Accelerometer::pushYData},
    {13, &Accelerometer::pushZData},
};

Accelerometer::Accelerometer(MVMCallbackInterface& aMachine, TiltService* aTilt)
    : TableExtension(aMachine, kFunctions), tilt(aTilt) {}

void Accelerometer::pushXData(ExtensionCall& call) {
    call.answerFixed(coordinateInG(readSensorCoordinates(tilt).second));
}

void Accelerometer::pushYData(ExtensionCall& call) {
    call.answerFixed(coordinateInG(readSensorCoordinates(tilt).first));
}

void Accelerometer::pushZData(ExtensionCall& call) {
    call.answerFixed(coordinateInG(readSensorCoordinates(tilt).third));
}

std::unique_ptr<Extension> createAccelerometer(const ExtensionContext& context) {
    return std::make_unique<Accelerometer>(context.machine, context.services.tilt);
}
