#include "MemoryUsage.h"

void MemoryUsage::appendTo(CAppsString& text) const {
    const auto figure = [&text](const char* label, TInt64 value, const char* separator) {
        text.append(label);
        text.appendNumber(value);
        text.append(separator);
    };
    text.append("\n");
    figure("headers ", headers, " + ");
    figure("actual ", actual, " + ");
    figure("wasted ", wasted, " + ");
    figure("outsideHeap ", outsideHeap, " = ");
    figure("total ", total(), "\n");
    figure("stringContents=", stringContents, " ");
    figure("bitmapContents=", 0, " "); // no kind of block feeds this figure
    figure("fontContents=", fontContents, "\n");
    figure("nOfEntries=", nOfEntries, " ");
    figure("nOfPools=", nOfPools, " ");
    figure("SzOfPools=", sizeOfPools, " ");
    figure("AllContents=", allContents, " ");
    figure("freeSpace=", freeSpace, "\n");
}
