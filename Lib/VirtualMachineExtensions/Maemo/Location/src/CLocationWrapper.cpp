#include "CLocationWrapper.h"

#include "GcCodes.h"
#include "NativeObjectCells.h"
#include "TestPosition.h"
#include "VMHeap.h"

namespace {

CLocation& locationIn(ExtensionCall& call) {
    return objectInCell<CLocation>(call, call.word(), "not a Location");
}

CLocationPositionRequestorGCObject& requestorIn(ExtensionCall& call) {
    return objectInCell<CLocationPositionRequestorGCObject>(call, call.word(),
                                                            "not a PositionRequestor");
}

TInt32 observerMethod(MVMCallbackInterface& machine, const char* signature) {
    return machine.findMethod(OString(signature), -1);
}

} // namespace

const ExtensionFunction<CLocationWrapper> CLocationWrapper::kFunctions[] = {
    {1, &CLocationWrapper::createRequestor}, {2, &CLocationWrapper::setInterval},
    {3, &CLocationWrapper::stopRequestor},   {4, &CLocationWrapper::startRequestor},
    {5, &CLocationWrapper::createLocation},  {6, &CLocationWrapper::shareDateTime},
    {7, &CLocationWrapper::setCoordinates},  {8, &CLocationWrapper::ignoreCoordinates},
    {9, &CLocationWrapper::pushFlag},        {10, &CLocationWrapper::pushDateTime},
    {11, &CLocationWrapper::pushThird},      {12, &CLocationWrapper::pushFirst},
    {13, &CLocationWrapper::pushSecond},     {14, &CLocationWrapper::pushZeroOfTwo},
    {15, &CLocationWrapper::pushZeroOfTwo},  {16, &CLocationWrapper::pushFourth},
    {17, &CLocationWrapper::setParameter},
};

CLocationWrapper::CLocationWrapper(MVMCallbackInterface& aMachine, PositionService* aPositions)
    : TableExtension(aMachine, kFunctions),
      locationEvent(observerMethod(machine, "<locationobserver>.handle location event<location>")),
      locationError(
          observerMethod(machine, "<locationobserver>.handle location error<locationerror>")),
      positions(aPositions) {}

// The event reaches the application between host calls: during one it waits in the queue.
void CLocationWrapper::positionUpdate(const PositionValues& values,
                                      const Kestro::DateTime& dateTime, TInt32 flag,
                                      TUint32 observer) {
    if (locationEvent == -1) return;
    const TVMAddress location = machine.getHeap().allocateNative(
        std::make_unique<CLocation>(values.first, values.second, values.third, values.fourth,
                                    dateTime, flag),
        GC_CODE_DATA);
    machine.callMethodOrQueue(locationEvent, {observer, location}, {1, 0}, 1);
}

void CLocationWrapper::positionError(TInt32 error, TUint32 observer) {
    if (locationError == -1) return;
    machine.callMethodOrQueue(locationError, {observer, static_cast<TUint32>(error)}, {1, 0}, 1);
}

void CLocationWrapper::createRequestor(ExtensionCall& call) {
    const TInt32 seconds = call.integer();
    const TInt32 parameter = call.integer();
    const TUint32 value = call.word();
    const TVMAddress cell = nonNull(call.word());
    storeInCell(
        call, cell,
        std::make_unique<CLocationPositionRequestorGCObject>(
            value, static_cast<TInt32>(static_cast<TUint32>(seconds) * 1000), parameter, positions),
        GC_CODE_DATA);
    call.pop();
}

void CLocationWrapper::setInterval(ExtensionCall& call) {
    restartWith(call, &CLocationPositionRequestorGCObject::iInterval);
}

void CLocationWrapper::stopRequestor(ExtensionCall& call) {
    stop(requestorIn(call));
    call.pop();
}

void CLocationWrapper::startRequestor(ExtensionCall& call) {
    start(requestorIn(call));
    call.pop();
}

void CLocationWrapper::createLocation(ExtensionCall& call) {
    const Kestro::DateTime& date =
        objectInCell<Kestro::DateTime>(call, call.word(), "not a DateTime");
    const OFixed third = call.fixed();
    const OFixed second = call.fixed();
    const OFixed first = call.fixed();
    const TVMAddress cell = nonNull(call.word());
    storeInCell(call, cell, std::make_unique<CLocation>(first, second, third, 0, date, 0),
                GC_CODE_DATA);
    call.pop();
}

void CLocationWrapper::shareDateTime(ExtensionCall& call) {
    const TVMAddress dateCell = call.word();
    Kestro::DateTime& date = objectInCell<Kestro::DateTime>(call, dateCell, "not a DateTime");
    locationIn(call).shareDateTime(date, call.memory().load32(dateCell));
    call.pop();
}

void CLocationWrapper::setCoordinates(ExtensionCall& call) {
    const OFixed third = call.fixed();
    const OFixed second = call.fixed();
    const OFixed first = call.fixed();
    CLocation& location = locationIn(call);
    location.iFirst = first;
    location.iSecond = second;
    location.iThird = third;
    call.pop();
}

void CLocationWrapper::ignoreCoordinates(ExtensionCall& call) {
    call.fixed();
    call.fixed();
    call.word();
    call.pop();
}

void CLocationWrapper::pushFlag(ExtensionCall& call) {
    call.answer(static_cast<TUint32>(locationIn(call).iFlag));
}

void CLocationWrapper::pushDateTime(ExtensionCall& call) {
    const Kestro::DateTime& date = locationIn(call).dateTime();
    call.answer(
        call.heap()
            .allocateNativeWithCell(std::make_unique<Kestro::DateTime>(date), GC_CODE_DATETIME)
            .second);
}

void CLocationWrapper::pushThird(ExtensionCall& call) {
    call.answerFixed(locationIn(call).iThird);
}

void CLocationWrapper::pushFirst(ExtensionCall& call) {
    call.answerFixed(locationIn(call).iFirst);
}

void CLocationWrapper::pushSecond(ExtensionCall& call) {
    call.answerFixed(locationIn(call).iSecond);
}

void CLocationWrapper::pushZeroOfTwo(ExtensionCall& call) {
    call.word();
    call.word();
    call.answerFixed(0);
}

void CLocationWrapper::pushFourth(ExtensionCall& call) {
    const OFixed fourth = locationIn(call).iFourth;
    call.word();
    call.answerFixed(fourth);
}

void CLocationWrapper::setParameter(ExtensionCall& call) {
    restartWith(call, &CLocationPositionRequestorGCObject::iParameter);
}

void CLocationWrapper::restartWith(ExtensionCall& call,
                                   TInt32 CLocationPositionRequestorGCObject::*setting) {
    const TInt32 value = call.integer();
    CLocationPositionRequestorGCObject& requestor = requestorIn(call);
    requestor.*setting = value;
    start(requestor);
    call.pop();
}

// A configured position is a fix of flag 1, dated when it is delivered.
void CLocationWrapper::start(const CLocationPositionRequestorGCObject& requestor) {
    deliverTestPosition(*this, requestor.iValue);
    if (!positions) return;
    const TUint32 observer = requestor.iValue;
    positions->startPositions(
        &requestor, requestor.iInterval, [this, observer](const PositionFix& fix) {
            const PositionValues values{ORaw::toFixed(fix.first), ORaw::toFixed(fix.second),
                                        ORaw::toFixed(fix.third), ORaw::toFixed(fix.fourth)};
            positionUpdate(values, Kestro::DateTime::now(), 1, observer);
        });
}

void CLocationWrapper::stop(const CLocationPositionRequestorGCObject& requestor) {
    if (positions) positions->stopPositions(&requestor);
}

std::unique_ptr<Extension> createLocation(const ExtensionContext& context) {
    return std::make_unique<CLocationWrapper>(context.machine, context.services.positions);
}
