#include "StreamState.h"

bool streamStateNative(FileCall& call, TInt32 function) {
    switch (function) {
    case 1:
        if (StreamHolder* holder = holderIn(call, call.word())) holder->close();
        call.pop();
        return true;
    case 2: {
        const StreamHolder* holder = holderIn(call, call.word());
        call.answer(holder && holder->isOpen() ? static_cast<TUint32>(-1) : 0);
        return true;
    }
    default: return false;
    }
}
