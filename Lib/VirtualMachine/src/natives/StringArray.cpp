#include "StringArray.h"

TVMAddress newStringArray(NativeCall& call, const std::vector<OString>& texts) {
    return newStringArray(call, static_cast<TInt32>(texts.size()), [&](auto add) {
        for (const OString& text : texts)
            add(text);
    });
}
