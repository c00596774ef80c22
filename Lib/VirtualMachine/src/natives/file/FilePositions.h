// FileReader and FileWriter 2 to 4: seek, position and size of the file open in a handle.
// The handle is checked for null first, then a seek's position for being negative, then
// the holder, its TYPEID and its open state (see openHolderIn).
#pragma once

#include "FileCall.h"

// Handles functions 2 to 4 on the stream that `openIn` finds in a handle; answers false
// for any other function number.
template <class Stream>
bool filePositionNative(FileCall& call, TInt32 function, Stream& (*openIn)(FileCall&, TVMAddress));
