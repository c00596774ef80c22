// The location extension (extension 27): location values, position requestors, and the
// delivery of positions and errors to the application's observer. Positions come from the
// host's position service (a configured position on a desktop); KESTRO_TEST_POSITION also
// stands in for a source (TestPosition.h).
#pragma once

#include "CLocation.h"
#include "ExtensionFunctions.h"
#include "MPositionObserver.h"
#include "PositionRequestor.h"

#include <memory>

class CLocationWrapper : public TableExtension<CLocationWrapper>, public MPositionObserver {
public:
    CLocationWrapper(MVMCallbackInterface& machine, PositionService* positions);

    void positionUpdate(const PositionValues& values, const Kestro::DateTime& dateTime, TInt32 flag,
                        TUint32 observer) override;
    void positionError(TInt32 error, TUint32 observer) override;

private:
    void createRequestor(ExtensionCall& call);
    void setInterval(ExtensionCall& call);
    void stopRequestor(ExtensionCall& call);
    void startRequestor(ExtensionCall& call);
    void createLocation(ExtensionCall& call);
    void shareDateTime(ExtensionCall& call);
    void setCoordinates(ExtensionCall& call);
    void ignoreCoordinates(ExtensionCall& call);
    void pushFlag(ExtensionCall& call);
    void pushDateTime(ExtensionCall& call);
    void pushThird(ExtensionCall& call);
    void pushFirst(ExtensionCall& call);
    void pushSecond(ExtensionCall& call);
    void pushZeroOfTwo(ExtensionCall& call);
    void pushFourth(ExtensionCall& call);
    void setParameter(ExtensionCall& call);

    // Sets an interval or a parameter of the requestor in the call, then restarts it.
    void restartWith(ExtensionCall& call, TInt32 CLocationPositionRequestorGCObject::*setting);
    // Starting connects the requestor to the host's positions and the test position.
    void start(const CLocationPositionRequestorGCObject& requestor);
    void stop(const CLocationPositionRequestorGCObject& requestor);

    friend TableExtension;
    static const ExtensionFunction<CLocationWrapper> kFunctions[];
    static constexpr const char* kUnknownOpcode = "Location: Unknown opcode!";

    const TInt32 locationEvent;
    const TInt32 locationError;
    PositionService* const positions; // or null
};

std::unique_ptr<Extension> createLocation(const ExtensionContext& context);
