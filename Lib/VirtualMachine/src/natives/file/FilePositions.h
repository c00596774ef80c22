// FileReader and FileWriter 2 to 4: seek, position and size of the file open in a handle,
// on the stream that `openIn` (openReaderIn or openWriterIn) finds there. The handle is
// checked for null first, then a seek's position for being negative, then the holder, its
// TYPEID and its open state (see openHolderIn).
#pragma once

#include "FileCall.h"

template <auto openIn> void seekFile(NativeCall& call, TInt32);
template <auto openIn> void answerFilePosition(NativeCall& call, TInt32);
template <auto openIn> void answerFileSize(NativeCall& call, TInt32);
