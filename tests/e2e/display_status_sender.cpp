// Sends the platform's display-status signal on a bus, from a connection that owns the
// mode-control service name, as the platform's own sender would:
//   display-status-sender BUS_ADDRESS STATUS
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: display-status-sender BUS_ADDRESS STATUS\n", stderr);
        return 2;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), "mce");
    if (!bus.isConnected() || !bus.registerService("com.nokia.mce")) {
        std::fputs("display-status-sender: cannot reach the bus\n", stderr);
        return 1;
    }
    QDBusMessage signal = QDBusMessage::createSignal("/com/nokia/mce/signal",
                                                     "com.nokia.mce.signal", "display_status_ind");
    signal << QString::fromLocal8Bit(argv[2]);
    if (!bus.send(signal)) return 1;
    bus.unregisterService("com.nokia.mce");
    return 0;
}
