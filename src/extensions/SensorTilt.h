// The tilt of a laptop or tablet with an acceleration sensor, as the system's sensor
// service on the system bus reports it. The service gives an orientation (which edge of
// the screen is down), not values: each reads as a full lean towards the edge that is
// down, one g along that axis, as the keyboard's tilt leans half a g:
//   "normal" (the bottom edge down)  Y  1 g
//   "bottom-up" (the top edge down)  Y -1 g
//   "left-up" (the right edge down)  X  1 g
//   "right-up" (the left edge down)  X -1 g
// The keyboard's tilt stands in while there is no bus, no service or no accelerometer,
// and while the service cannot tell ("undefined": the device lies flat); it wins while it
// is not level (a tilt key is held), so that the keys still work on a laptop whose screen
// stands upright.
// The accelerometer is claimed while the application runs and released when it ends.
#pragma once

#include "TiltService.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QDBusPendingCall;

class SensorTilt : public QObject, public TiltService {
    Q_OBJECT
public:
    // Asks the service without waiting for it: until it answers, the stand-in's tilt holds.
    explicit SensorTilt(TiltService& standIn);
    ~SensorTilt() override;

    Tilt currentTilt() override;

private Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    template <typename Answered> void whenAnswered(const QDBusPendingCall& call, Answered answered);
    void update(const QVariantMap& properties);

    TiltService& standIn; // the keyboard's tilt
    bool hasAccelerometer = false;
    QString orientation;
    std::optional<Tilt> sensed; // the orientation's tilt, when there is one
};
