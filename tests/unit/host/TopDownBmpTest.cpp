// BMP pictures stored top-down (a negative height in the header) get the checks of every
// picture before they are decoded: the memory budget, and black for rows cut short.
#include "ImageDecoding.h"
#include "MemoryBudget.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void append32(std::vector<TUint8>& bytes, TUint32 value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<TUint8>(value >> shift));
}

// A 32-bit BMP file of the header's width and height, holding the given pixel bytes.
std::vector<TUint8> bmpFile(TInt32 width, TInt32 height, const std::vector<TUint8>& pixels) {
    std::vector<TUint8> file{'B', 'M'};
    // The file size (unread), reserved, the pixels' offset; the information header's
    // size, the sizes, one plane of 32 bits a pixel, no compression, five fields unset.
    for (TUint32 field : {0u, 0u, 54u, 40u, static_cast<TUint32>(width),
                          static_cast<TUint32>(height), 32u << 16 | 1, 0u, 0u, 0u, 0u, 0u, 0u})
        append32(file, field);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

TEST(TopDownBmpTest, ADeclaredPictureBeyondTheBudgetIsRefusedBeforeDecoding) {
    const std::vector<TUint8> file = bmpFile(1000, -1000, {});
    const TUint64 limit = MemoryBudget::limit();
    MemoryBudget::setLimit(MemoryBudget::used() + (TUint64{1} << 20));
    EXPECT_THROW(decodeImageBytes(file), std::bad_alloc);
    MemoryBudget::setLimit(limit);
}

TEST(TopDownBmpTest, RowsCutShortAreBlack) {
    const QImage picture = decodeImageBytes(bmpFile(2, -2, {1, 2, 3, 0, 4, 5, 6, 0}));
    ASSERT_EQ(picture.size(), QSize(2, 2));
    EXPECT_EQ((std::vector{picture.pixel(1, 0), picture.pixel(0, 1), picture.pixel(1, 1)}),
              (std::vector<QRgb>{0xFF060504, 0xFF000000, 0xFF000000}));
}

} // namespace
