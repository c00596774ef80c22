// InputStream and OutputStream 1 and 2, the same in both groups and on a holder of either
// TYPEID: close the stream in a handle, and tell whether it is open (-1) or not (0).
// A handle that holds nothing yet is not open, and closing it does nothing.
#pragma once

#include "NativeCall.h"

void closeStream(NativeCall& call, TInt32);
void answerStreamOpen(NativeCall& call, TInt32);
