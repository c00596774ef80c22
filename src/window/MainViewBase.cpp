#include "MainViewBase.h"

void MainViewBase::updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) {
    if (needsRotation()) {
        update(y, this->height() - x - width, height, width);
    } else {
        update(x, y, width, height);
    }
}
