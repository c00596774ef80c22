#include "SensorTilt.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cstdlib>

namespace {

const QString kService = QStringLiteral("net.hadess.SensorProxy");
const QString kPath = QStringLiteral("/net/hadess/SensorProxy");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr TInt32 kG = 1000; // thousandths of g
// How long the end of the process waits for the service to take the accelerometer back.
constexpr int kReleaseTimeout = 250;

struct Orientation {
    const char* name;
    Tilt tilt; // Y first, X second, as the sensor's file gives them
};

const Orientation kOrientations[] = {
    {"normal", {kG, 0, 0}},
    {"bottom-up", {-kG, 0, 0}},
    {"left-up", {0, kG, 0}},
    {"right-up", {0, -kG, 0}},
};

std::optional<Tilt> tiltOf(const QString& orientation) {
    for (const Orientation& known : kOrientations)
        if (orientation == QLatin1String(known.name)) return known.tilt;
    return std::nullopt;
}

QDBusMessage serviceCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, interface, method);
}

// One claim for the process. The application may end the process from inside one of its
// calls, which skips the destructors of main's objects: the claim is then released when
// the process exits.
bool claimed = false;

void releaseClaim() {
    if (!claimed) return;
    claimed = false;
    QDBusConnection::systemBus().call(serviceCall(kService, "ReleaseAccelerometer"), QDBus::Block,
                                      kReleaseTimeout);
}

void noteClaim() {
    static const bool releasedAtExit = std::atexit(releaseClaim) == 0;
    claimed = releasedAtExit;
}

} // namespace

// A call that fails (no service) changes nothing.
template <typename Answered>
void SensorTilt::whenAnswered(const QDBusPendingCall& call, Answered answered) {
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, answered] {
        if (!watcher->isError()) answered(watcher->reply());
        watcher->deleteLater();
    });
}

SensorTilt::SensorTilt(TiltService& aStandIn) : standIn(aStandIn) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    bus.connect(kService, kPath, kProperties, "PropertiesChanged", this,
                SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    whenAnswered(bus.asyncCall(serviceCall(kService, "ClaimAccelerometer")),
                 [](const QDBusMessage&) { noteClaim(); });
    QDBusMessage getAll = serviceCall(kProperties, "GetAll");
    getAll << kService;
    whenAnswered(bus.asyncCall(getAll), [this](const QDBusMessage& reply) {
        update(qdbus_cast<QVariantMap>(reply.arguments().value(0)));
    });
}

SensorTilt::~SensorTilt() {
    releaseClaim();
}

Tilt SensorTilt::currentTilt() {
    const Tilt keys = standIn.currentTilt();
    return sensed && keys == Tilt{} ? *sensed : keys;
}

// The service sends the values that change; it invalidates none.
void SensorTilt::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                   const QStringList&) {
    if (interface == kService) update(changed);
}

void SensorTilt::update(const QVariantMap& properties) {
    hasAccelerometer = properties.value("HasAccelerometer", hasAccelerometer).toBool();
    orientation = properties.value("AccelerometerOrientation", orientation).toString();
    sensed = hasAccelerometer ? tiltOf(orientation) : std::nullopt;
}
