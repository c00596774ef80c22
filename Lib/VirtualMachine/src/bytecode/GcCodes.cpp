#include "GcCodes.h"

const char* gcCodeName(TInt32 code) {
    switch (code) {
#define KESTRO_GC_CODE_CASE(value, name, text, allocatable)                                        \
    case value: return text;
        KESTRO_GC_CODES(KESTRO_GC_CODE_CASE)
#undef KESTRO_GC_CODE_CASE
    default: return nullptr;
    }
}
