#include "ConfiguredPositions.h"

#include "HostCall.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

// Deliveries come no more often than this, whatever the requestor asks.
constexpr int kShortestInterval = 100;

bool parsePosition(const std::string& text, PositionFix& fix) {
    std::istringstream fields(text);
    if (!(fields >> fix.first >> fix.second)) return false;
    fields >> fix.third >> fix.fourth;
    std::string rest;
    return !(fields.fail() && !fields.eof()) && !(fields >> rest);
}

std::vector<PositionFix> positionsOfFile(const char* path) {
    std::vector<PositionFix> read;
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: cannot read the positions\n", path);
        return read;
    }
    for (int number = 1; !file.atEnd(); ++number) {
        const std::string line = file.readLine().trimmed().toStdString();
        PositionFix fix;
        if (line.empty() || line[0] == '#') continue;
        if (parsePosition(line, fix))
            read.push_back(fix);
        else
            std::fprintf(stderr, "%s:%d: expected LATITUDE LONGITUDE [ALTITUDE [ACCURACY]]\n", path,
                         number);
    }
    return read;
}

} // namespace

ConfiguredPositions::ConfiguredPositions() {
    if (const char* path = std::getenv("KESTRO_POSITION_FILE")) {
        positions = positionsOfFile(path);
    } else if (const char* position = std::getenv("KESTRO_POSITION")) {
        PositionFix fix;
        if (parsePosition(position, fix))
            positions.push_back(fix);
        else
            std::fprintf(stderr,
                         "KESTRO_POSITION: expected LATITUDE LONGITUDE [ALTITUDE [ACCURACY]]\n");
    }
}

void ConfiguredPositions::startPositions(const void* key, TInt32 interval,
                                         std::function<void(const PositionFix&)> deliver) {
    stopPositions(key);
    if (positions.empty()) return;
    auto timer = std::make_unique<QTimer>();
    // The first position comes as soon as the event loop runs, the others at the interval.
    timer->setInterval(0);
    QObject::connect(timer.get(), &QTimer::timeout, [this, key, interval, deliver] {
        Delivery& delivery = deliveries.at(key);
        const PositionFix fix = positions[std::min(delivery.next, positions.size() - 1)];
        ++delivery.next;
        if (interval > 0)
            delivery.timer->setInterval(std::max(interval, kShortestInterval));
        else
            delivery.timer->stop();
        runHostCall([&] { deliver(fix); });
    });
    timer->start();
    deliveries[key] = {std::move(timer), 0};
}

// A delivery may be stopped from inside its own timer's signal (the observer stops its
// requestor, or a collection frees it): the timer goes when the event loop is back.
void ConfiguredPositions::stopPositions(const void* key) {
    const auto found = deliveries.find(key);
    if (found == deliveries.end()) return;
    found->second.timer->stop();
    found->second.timer.release()->deleteLater();
    deliveries.erase(found);
}
