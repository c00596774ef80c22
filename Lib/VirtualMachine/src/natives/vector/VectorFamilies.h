// The handlers of the array natives, over the element type and over whether the elements
// are plain values (Primitive) or object references. Each builds an ArrayCall from the
// native call; the family files define them for the element kinds of the array groups.
#pragma once

#include "ArrayCall.h"

namespace ArrayNatives {

// The end of an array that a function works at, as the constant of its table row.
enum End : TInt32 { kFront, kBack };

// New arrays stored into a destination array variable.
template <class Element, bool Primitive> void copy(NativeCall&, TInt32);
template <class Element, bool Primitive> void copyRepeatedElement(NativeCall&, TInt32);
template <class Element, bool Primitive> void copyEveryNth(NativeCall&, TInt32);
template <class Element, bool Primitive> void copyRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void copyElement(NativeCall&, TInt32);
// Elements, their addresses, the size.
template <class Element, bool Primitive> void elementReference(NativeCall&, TInt32);
template <class Element, bool Primitive> void elementAddress(NativeCall&, TInt32);
template <class Element, bool Primitive> void elementValue(NativeCall&, TInt32);
template <class Element, bool Primitive> void endElement(NativeCall&, TInt32);
template <class Element, bool Primitive> void size(NativeCall&, TInt32);
template <class Element, bool Primitive> void isEmpty(NativeCall&, TInt32);
// Insertion of elements and of parts of other arrays.
template <class Element, bool Primitive> void insert(NativeCall&, TInt32);
template <class Element, bool Primitive> void insertRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void insertElement(NativeCall&, TInt32);
template <class Element, bool Primitive> void insertAtEnd(NativeCall&, TInt32);
template <class Element, bool Primitive> void insertElementAtEnd(NativeCall&, TInt32);
// Removal.
template <class Element, bool Primitive> void removeAt(NativeCall&, TInt32);
template <class Element, bool Primitive> void removeRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void removeAtEnd(NativeCall&, TInt32);
template <class Element, bool Primitive> void removeAll(NativeCall&, TInt32);
// Repetition and replacement of ranges.
template <class Element, bool Primitive> void repeat(NativeCall&, TInt32);
template <class Element, bool Primitive> void replaceRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void replaceRangeElement(NativeCall&, TInt32);
template <class Element, bool Primitive> void replaceCheckedRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void replacePart(NativeCall&, TInt32);
// New arrays handed back in a new cell.
template <class Element, bool Primitive> void sliceCheckedRange(NativeCall&, TInt32);
template <class Element, bool Primitive> void joinParts(NativeCall&, TInt32);

} // namespace ArrayNatives

// Instantiates an array handler for the element kinds of the array groups: the four
// primitive widths of ints, bytes, and object references.
#define KESTRO_INSTANTIATE_ARRAY_HANDLER(handler)                                                  \
    template void handler<ByteElement, true>(NativeCall&, TInt32);                                 \
    template void handler<WordElement, true>(NativeCall&, TInt32);                                 \
    template void handler<TwoWordElement, true>(NativeCall&, TInt32);                              \
    template void handler<ThreeWordElement, true>(NativeCall&, TInt32);                            \
    template void handler<FourWordElement, true>(NativeCall&, TInt32);                             \
    template void handler<WordElement, false>(NativeCall&, TInt32);
