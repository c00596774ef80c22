// Pixels are host memory that the application makes the host commit: a picture's pixels
// are charged to the application's memory budget, four bytes a pixel, while the picture
// lives. A picture beyond the budget raises std::bad_alloc before it is made.
#pragma once

#include "MemoryBudget.h"
#include "Types.h"

#include <QPixmap>
#include <QSharedPointer>
#include <QSize>

#include <utility>

TUint64 pixelBytes(QSize size);

// Deletes a pixmap and gives back its charge, when its last holder lets it go.
struct ChargedPixmapDeleter {
    TUint64 bytes = 0;
    void operator()(QPixmap* pixmap) const;
};

// The pixmap `make` answers, a picture of `size`, charged before it is made.
template <class Make> QSharedPointer<QPixmap> chargedPixmap(QSize size, Make make) {
    const TUint64 bytes = pixelBytes(size);
    MemoryBudget::charge(bytes);
    QPixmap* pixmap = nullptr;
    try {
        pixmap = new QPixmap(make());
    } catch (...) {
        MemoryBudget::release(bytes);
        throw;
    }
    return QSharedPointer<QPixmap>(pixmap, ChargedPixmapDeleter{bytes});
}

// The charge of a picture of some size, given back when the charge goes.
class PixelCharge {
public:
    PixelCharge() = default;
    explicit PixelCharge(QSize size) : bytes(pixelBytes(size)) { MemoryBudget::charge(bytes); }
    ~PixelCharge() { MemoryBudget::release(bytes); }
    PixelCharge(PixelCharge&& other) noexcept : bytes(std::exchange(other.bytes, 0)) {}
    PixelCharge& operator=(PixelCharge&& other) noexcept {
        std::swap(bytes, other.bytes);
        return *this;
    }

    TUint64 charged() const { return bytes; }

private:
    TUint64 bytes = 0;
};
