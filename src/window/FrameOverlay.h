// The figures a person may show over the picture: frames per second, how long the last
// draw call took, the last collection's pause and the memory the application has made the
// host commit. An opaque label of its own, so that new figures repaint only the label and
// never ask the application to draw.
#pragma once

#include <QLabel>
#include <QTimer>

#include <chrono>
#include <deque>

class FrameOverlay : public QLabel {
public:
    explicit FrameOverlay(QWidget* window);

    void toggle();
    // A draw call that took `draw`, whose collection took `collection`, has ended.
    void drawEnded(std::chrono::nanoseconds draw, std::chrono::nanoseconds collection);

private:
    using Clock = std::chrono::steady_clock;
    void showFigures();

    QTimer refresh; // new figures twice a second while shown, also when nothing draws
    std::deque<Clock::time_point> recentDraws; // the ends of the draw calls of the last second
    std::chrono::nanoseconds lastDraw{0};
    std::chrono::nanoseconds lastCollection{0};
};
