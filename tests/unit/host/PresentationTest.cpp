#include "Presentation.h"
#include "KeyMapping.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <limits>

namespace {

const QSize kLandscape(800, 480);
const QSize kPortrait(480, 800);

TEST(Presentation, AWindowOfThePicturesSizeShowsTheBackBufferAsItIs) {
    const Presentation shown(kLandscape, kLandscape, false);
    EXPECT_EQ(shown.pictureRect(), QRect(0, 0, 800, 480));
    EXPECT_FALSE(shown.smooth());
    EXPECT_TRUE(shown.bufferToWindow().isIdentity());
    EXPECT_EQ(shown.windowRectOf(10, 20, 30, 40), QRect(10, 20, 30, 40));
    const QRegion region = QRegion(10, 20, 30, 40) + QRegion(500, 300, 5, 5);
    EXPECT_EQ(shown.bufferRegionOf(region), region);
    EXPECT_EQ(shown.picturePointOf(QPointF(5, 7)), QPoint(5, 7));
    EXPECT_EQ(shown.picturePointOf(QPointF(799, 479)), QPoint(799, 479));
}

TEST(Presentation, APortraitPictureIsTurnedInALandscapeWindow) {
    const Presentation shown(kLandscape, kPortrait, true);
    EXPECT_EQ(shown.pictureSize(), kLandscape);
    // Back-buffer point (x, y) lands on window point (y, height - x).
    EXPECT_EQ(shown.bufferToWindow().map(QPointF(10, 20)), QPointF(20, 470));
    // A back-buffer rectangle (x, y, w, h) is repainted as (y, H - x - w, h, w).
    EXPECT_EQ(shown.windowRectOf(10, 20, 30, 40), QRect(20, 480 - 10 - 30, 40, 30));
    EXPECT_EQ(shown.bufferRegionOf(QRegion(0, 0, 800, 480)), QRegion(0, 0, 480, 800));
    EXPECT_EQ(shown.bufferRegionOf(QRegion(20, 440, 40, 30)), QRegion(10, 20, 30, 40));
    // Pointer positions keep the window's orientation.
    EXPECT_EQ(shown.picturePointOf(QPointF(700, 10)), QPoint(700, 10));
}

TEST(Presentation, WholeScaleFactorsKeepPixelsSharp) {
    const Presentation shown(QSize(1600, 1000), kLandscape, false);
    EXPECT_EQ(shown.pictureRect(), QRect(0, 20, 1600, 960));
    EXPECT_FALSE(shown.smooth());
    EXPECT_EQ(shown.windowRectOf(10, 20, 30, 40), QRect(20, 60, 60, 80));
    EXPECT_EQ(shown.bufferRegionOf(QRegion(20, 60, 60, 80)), QRegion(10, 20, 30, 40));
    EXPECT_EQ(shown.picturePointOf(QPointF(201, 121)), QPoint(100, 50));
    EXPECT_EQ(shown.picturePointOf(QPointF(100, 10)), std::nullopt) << "in the bar";
    EXPECT_EQ(shown.picturePointOf(QPointF(100, 985)), std::nullopt) << "in the bar";
}

TEST(Presentation, OtherFactorsAreSmoothedAndReachOnePixelFurther) {
    const Presentation shown(QSize(1920, 1080), kLandscape, false);
    EXPECT_EQ(shown.pictureRect(), QRect(60, 0, 1800, 1080));
    EXPECT_TRUE(shown.smooth());
    EXPECT_EQ(shown.windowRectOf(0, 0, 800, 480), QRect(59, 0, 1802, 1080));
    EXPECT_EQ(shown.windowRectOf(100, 100, 4, 4), QRect(284, 224, 11, 11));
    EXPECT_EQ(shown.bufferRegionOf(QRegion(0, 0, 1920, 1080)), QRegion(0, 0, 800, 480));
    EXPECT_EQ(shown.bufferRegionOf(QRegion(0, 0, 60, 1080)), QRegion()) << "the bar alone";
    EXPECT_EQ(shown.picturePointOf(QPointF(59.5, 500)), std::nullopt);
    EXPECT_EQ(shown.picturePointOf(QPointF(60, 0)), QPoint(0, 0));
    EXPECT_EQ(shown.picturePointOf(QPointF(1859.9, 1079.9)), QPoint(799, 479));
    EXPECT_EQ(shown.picturePointOf(QPointF(1860, 500)), std::nullopt);
}

TEST(Presentation, APortraitPictureStandsUprightInAPortraitWindow) {
    const Presentation shown(QSize(600, 1000), kPortrait, false);
    EXPECT_EQ(shown.pictureRect(), QRect(0, 0, 600, 1000));
    EXPECT_EQ(shown.picturePointOf(QPointF(599, 999)), QPoint(479, 799));
}

TEST(Presentation, EmptyAndHugeRectanglesStayWithinTheWindow) {
    const Presentation shown(kLandscape, kLandscape, false);
    constexpr double kLargest = std::numeric_limits<int>::max();
    EXPECT_EQ(shown.windowRectOf(10, 10, 0, 5), QRect());
    EXPECT_EQ(shown.windowRectOf(10, 10, -5, 5), QRect());
    EXPECT_EQ(shown.windowRectOf(900, 10, 5, 5), QRect());
    EXPECT_EQ(shown.windowRectOf(-kLargest, -kLargest, kLargest, kLargest), QRect());
    EXPECT_EQ(shown.windowRectOf(-10, 470, kLargest, kLargest), QRect(0, 470, 800, 10));
    const Presentation nowhere(QSize(0, 0), kLandscape, false);
    EXPECT_EQ(nowhere.windowRectOf(0, 0, 10, 10), QRect());
    EXPECT_EQ(nowhere.picturePointOf(QPointF(0, 0)), std::nullopt);
}

TEST(KeyMapping, PrintableCodesKeepTheirValueAndNamedKeysHaveTheirOwn) {
    EXPECT_EQ(mapQtKey(Qt::Key_Space), 32);
    EXPECT_EQ(mapQtKey(Qt::Key_1), '1');
    EXPECT_EQ(mapQtKey(Qt::Key_A), 'A');
    EXPECT_EQ(mapQtKey(Qt::Key_QuoteLeft), 96);
    EXPECT_EQ(mapQtKey(Qt::Key_BraceLeft), 0x1000000);
    EXPECT_EQ(mapQtKey(31), 0x1000000);
    EXPECT_EQ(mapQtKey(Qt::Key_Return), 0x1000001);
    EXPECT_EQ(mapQtKey(Qt::Key_Backspace), 0x1000002);
    EXPECT_EQ(mapQtKey(Qt::Key_Left), 0x1000003);
    EXPECT_EQ(mapQtKey(Qt::Key_Right), 0x1000004);
    EXPECT_EQ(mapQtKey(Qt::Key_Up), 0x1000005);
    EXPECT_EQ(mapQtKey(Qt::Key_Down), 0x1000006);
    EXPECT_EQ(mapQtKey(Qt::Key_Enter), 0x1000000);
    EXPECT_EQ(mapQtKey(Qt::Key_F1), 0x1000000);
}

} // namespace
