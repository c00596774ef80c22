// The host's bitmaps and drawing surfaces: the two forms of a bitmap's picture, the
// memory its pixels take from the budget, the painter a surface begins and ends, and the
// canvas handles that hold surfaces and bitmaps in the machine's heap.
#include "BitmapContainer.h"
#include "CanvasHandle.h"
#include "ErrorHandling.h"
#include "GcCodes.h"
#include "GraphicsContainer.h"
#include "MemoryBudget.h"
#include "QtCanvasService.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

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

TEST(BitmapContainerTest, PixelsKeepTheirExactValueAndReachTheDrawableForm) {
    QtCanvasService canvases;
    auto bitmap = canvases.makeBitmap(3, 2, 0x80102030);
    EXPECT_EQ(bitmap->getPixel(2, 1), 0x80102030u);
    bitmap->setPixel(1, 0, 0xFF00FF00);
    auto& container = dynamic_cast<BitmapContainer&>(*bitmap);
    const QImage drawn = container.drawable()->toImage();
    EXPECT_EQ(drawn.pixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(bitmap->getPixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ((std::tuple{bitmap->size().width, bitmap->size().height}), (std::tuple{3, 2}));
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

class CanvasHandleTest : public ::testing::Test {
protected:
    VirtualMachine machine;
    VMHeap& heap = machine.getHeap();
    QtCanvasService canvases;

    // A forged handle: a plain block with the three words.
    TVMAddress forged(TUint32 kind, TUint32 surface, TUint32 bitmap) {
        const TVMAddress handle = heap.allocateWords(3, GC_CODE_DATA);
        machine.memory().store32(handle, kind);
        machine.memory().store32(handle + 4, surface);
        machine.memory().store32(handle + 8, bitmap);
        return handle;
    }
};

TEST_F(CanvasHandleTest, AScreenCanvasDrawsWithItsSurfaceAndIsNoBitmap) {
    auto made = std::make_unique<GraphicsContainer>(newBuffer(10, 10));
    GraphicsContainer* const surface = made.get();
    CanvasHandle screen(heap, makeScreenCanvas(heap, std::move(made)));
    EXPECT_EQ(screen.kind(), EScreenCanvas);
    EXPECT_EQ(screen.surface(canvases), surface);
    EXPECT_EQ(errorOf([&] { screen.bitmap(); }), "VMException: Invalid typeid on bitmap");
    EXPECT_EQ(errorOf([&] { screen.endDrawing(); }), "VMException: Invalid bitmap handle");
    EXPECT_EQ(errorOf([&] { screen.setBitmap(nullptr); }), "VMException");
}

TEST_F(CanvasHandleTest, ABitmapGetsItsSurfaceOnFirstUseUntilDrawingEnds) {
    CanvasHandle bitmap(heap, makeBitmapHandle(heap, canvases.makeBitmap(5, 5, 0xFF000000)));
    auto* container = dynamic_cast<BitmapContainer*>(bitmap.bitmap());
    DrawingSurface* const surface = bitmap.surface(canvases);
    ASSERT_TRUE(container && surface);
    EXPECT_EQ(bitmap.surface(canvases), surface);
    EXPECT_TRUE(container->drawable()->paintingActive());
    bitmap.endDrawing();
    EXPECT_FALSE(container->drawable()->paintingActive());
    EXPECT_NE(bitmap.surface(canvases), nullptr);
}

// The bitmaps program forges bitmap words that hold a string or no block; these are the
// other forged kinds and surface words.
TEST_F(CanvasHandleTest, AnEmptyBitmapHasNoSurfaceAndForgedWordsRaiseErrors) {
    CanvasHandle empty(heap, makeBitmapHandle(heap, nullptr));
    EXPECT_EQ((std::tuple{empty.bitmap(), empty.surface(canvases)}),
              (std::tuple{nullptr, nullptr}));
    const TVMAddress text = heap.allocateNative(std::make_unique<OString>("x"), GC_CODE_STRING);
    const std::string wrongType = "VMException: Invalid object type ID";
    EXPECT_EQ(errorOf([&] { CanvasHandle(heap, forged(7, 0, 0)).surface(canvases); }), wrongType);
    EXPECT_EQ(errorOf([&] { CanvasHandle(heap, forged(2, text, 0)).endDrawing(); }), wrongType);
    EXPECT_EQ(errorOf([&] { CanvasHandle(heap, forged(1, text, 0)).surface(canvases); }),
              wrongType);
}

} // namespace
