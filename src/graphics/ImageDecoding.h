// Pictures decoded from the bytes of image files, in every format Qt's image readers know
// (JPEG, PNG, GIF and BMP among them), told by their content. The bytes come from the
// application, so they are untrusted: a picture whose size lies outside what a bitmap
// may have is refused before it is decoded when its header declares it, and after
// decoding otherwise; Qt's readers never allocate more than the largest bitmap needs.
#pragma once

#include "Types.h"

#include <QImage>

#include <span>

// Limits every image reader of the process to the memory of the largest bitmap.
void limitImageReaders();
// The picture, or a null image when the bytes hold none that a bitmap can have.
QImage decodeImageBytes(std::span<const TUint8> bytes);
