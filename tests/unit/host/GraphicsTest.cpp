// The host's bitmaps and drawing surfaces: the memory a bitmap's pixels take from the
// budget, and the painter a surface begins and ends. The pixels themselves and the canvas
// handles in the machine's heap are the bitmaps and graphics programs' (tests/e2e).
#include "ErrorHandling.h"
#include "GraphicsContainer.h"
#include "MemoryBudget.h"
#include "QtCanvasService.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The text of the error that `action` raises, or "" when it raises none.
std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ErrorHandlingException&) {
        return latin1(lastErrorMessage());
    }
    return "";
}

TEST(BitmapContainerTest, PixelsAreChargedToTheBudgetWhileTheyLive) {
    QtCanvasService canvases;
    canvases.makeBitmap(1, 1, 0); // the small-object store takes its first chunk
    const TUint64 before = MemoryBudget::used();
    {
        auto bitmap = canvases.makeBitmap(100, 50, 0xFF000000);
        EXPECT_GE(MemoryBudget::used(), before + 100 * 50 * 4);
        bitmap->getPixel(0, 0); // the image form is charged too
        EXPECT_GE(MemoryBudget::used(), before + 2 * 100 * 50 * 4);
    }
    EXPECT_EQ(MemoryBudget::used(), before);
    // A picture beyond the budget is not made.
    const TUint64 limit = MemoryBudget::limit();
    MemoryBudget::setLimit(before + 1000);
    EXPECT_THROW(canvases.makeBitmap(100, 100, 0xFF000000), std::bad_alloc);
    MemoryBudget::setLimit(limit);
}

// A back buffer as the host holds it.
QSharedPointer<QPaintDevice> newBuffer(int width, int height) {
    return QSharedPointer<QPaintDevice>(new QPixmap(width, height));
}

TEST(GraphicsContainerTest, DrawingStartsWithTheFontAtFortyPixelsAndNoSmoothing) {
    const QSharedPointer<QPaintDevice> target = newBuffer(8, 8);
    GraphicsContainer surface(target);
    ASSERT_TRUE(surface.isDrawing());
    EXPECT_TRUE(target->paintingActive());
    EXPECT_EQ(surface.painter().font().pixelSize(), 40);
    EXPECT_FALSE(surface.painter().renderHints() &
                 (QPainter::Antialiasing | QPainter::SmoothPixmapTransform));
    GraphicsContainer busy(target);
    EXPECT_FALSE(busy.isDrawing()) << "a busy device gives an ended surface";
    surface.endDrawing();
    EXPECT_FALSE(surface.isDrawing() || target->paintingActive());
    { GraphicsContainer destroyed(target); }
    EXPECT_FALSE(target->paintingActive()) << "destroying a surface ends its painter";
}

TEST(GraphicsContainerTest, ASurfaceKeepsWhatItDrawsOnUntilDrawingEnds) {
    QSharedPointer<QPaintDevice> target = newBuffer(4, 4);
    const QWeakPointer<QPaintDevice> drawn = target;
    GraphicsContainer surface(std::move(target));
    ASSERT_FALSE(drawn.isNull());
    EXPECT_TRUE(drawn.toStrongRef()->paintingActive());
    surface.endDrawing();
    EXPECT_TRUE(drawn.isNull());
}

TEST(GraphicsContainerTest, APixmapWithoutPixelsIsNoBitmapToDrawOn) {
    QSharedPointer<QPixmap> empty(new QPixmap());
    EXPECT_EQ(errorOf([&] { GraphicsContainer::onBitmap(empty); }),
              "VMException: GraphicsContainer: invalid bitmap");
}

} // namespace
