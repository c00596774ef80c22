#include "StreamState.h"

#include "FileCall.h"

void closeStream(NativeCall& native, TInt32) {
    FileCall call(native);
    if (StreamHolder* holder = holderIn(call, call.word())) holder->close();
    call.pop();
}

void answerStreamOpen(NativeCall& native, TInt32) {
    FileCall call(native);
    const StreamHolder* holder = holderIn(call, call.word());
    call.answer(holder && holder->isOpen() ? static_cast<TUint32>(-1) : 0);
}
