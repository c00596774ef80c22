#include "FrameOverlay.h"

#include "MemoryBudget.h"

namespace {

double milliseconds(std::chrono::nanoseconds time) {
    return std::chrono::duration<double, std::milli>(time).count();
}

} // namespace

FrameOverlay::FrameOverlay(QWidget* window) : QLabel(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setContentsMargins(6, 4, 6, 4);
    move(0, 0);
    hide();
    refresh.setInterval(500);
    QObject::connect(&refresh, &QTimer::timeout, this, [this] { showFigures(); });
}

void FrameOverlay::toggle() {
    if (isVisible()) {
        refresh.stop();
        hide();
        return;
    }
    showFigures();
    show();
    raise();
    refresh.start();
}

void FrameOverlay::drawEnded(std::chrono::nanoseconds draw, std::chrono::nanoseconds collection) {
    recentDraws.push_back(Clock::now());
    lastDraw = draw;
    lastCollection = collection;
}

void FrameOverlay::showFigures() {
    const auto now = Clock::now();
    while (!recentDraws.empty() && now - recentDraws.front() > std::chrono::seconds(1))
        recentDraws.pop_front();
    setText(QString("%1 fps | draw %2 ms | collection %3 ms | memory %4 MiB")
                .arg(recentDraws.size())
                .arg(milliseconds(lastDraw), 0, 'f', 2)
                .arg(milliseconds(lastCollection), 0, 'f', 2)
                .arg(static_cast<double>(MemoryBudget::used()) / (1 << 20), 0, 'f', 1));
    adjustSize();
}
