#include "Presentation.h"
#include "KeyMapping.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <limits>

// The window programs check the presentation on real screens (device size, whole and
// smoothed factors, portrait turned); these are the cases a screen cannot show.
namespace {

const QSize kLandscape(800, 480);
const QSize kPortrait(480, 800);

TEST(Presentation, APortraitPictureStandsUprightInAPortraitWindow) {
    const Presentation shown(QSize(600, 1000), kPortrait, false);
    EXPECT_EQ(shown.pictureRect(), QRect(0, 0, 600, 1000));
    EXPECT_EQ(shown.picturePointOf(QPointF(599, 999)), QPoint(479, 799));
}

TEST(Presentation, EmptyAndHugeRectanglesStayWithinTheWindow) {
    const Presentation shown(kLandscape, kLandscape, false);
    constexpr double kLargest = std::numeric_limits<int>::max();
    for (const QRectF& area : {QRectF(10, 10, 0, 5), QRectF(10, 10, -5, 5), QRectF(900, 10, 5, 5),
                               QRectF(-kLargest, -kLargest, kLargest, kLargest)})
        EXPECT_EQ(shown.windowRectOf(area.x(), area.y(), area.width(), area.height()), QRect());
    EXPECT_EQ(shown.windowRectOf(-10, 470, kLargest, kLargest), QRect(0, 470, 800, 10));
    const Presentation nowhere(QSize(0, 0), kLandscape, false);
    EXPECT_EQ(nowhere.windowRectOf(0, 0, 10, 10), QRect());
    EXPECT_EQ(nowhere.picturePointOf(QPointF(0, 0)), std::nullopt);
}

// The window program keys checks the keys a keyboard sends (digits, letters, Return,
// Backspace, the arrows, F1, '{', Tab); these are the boundaries it cannot press.
TEST(KeyMapping, PrintableCodesKeepTheirValueAndOthersAreTheUnnamedKey) {
    const std::pair<int, int> cases[] = {
        {Qt::Key_Space, 32}, {Qt::Key_QuoteLeft, 96}, {31, 0x1000000}, {Qt::Key_Enter, 0x1000000}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(mapQtKey(key), expected) << key;
}

} // namespace
