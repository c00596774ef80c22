// The array native groups 1 and 3 to 7 share one table over the element type and over
// whether the elements are plain values (Primitive) or object references (group 7).
//
// Names: copy... makes a new array and stores it into a destination array variable. A name
// that ends in Element takes one element where the function without it takes a whole
// array. Range names a part by a range operand whose negative length runs to the end;
// CheckedRange one that the range check validates with its messages; Part one whose
// length is a plain count.
#include "NativeGroups.h"
#include "VectorFamilies.h"

namespace ArrayNatives {
namespace {

template <class Element, bool Primitive>
constexpr NativeFunction kArrayFunctions[] = {
    {2, "copy", copy<Element, Primitive>},
    {3, "copyRepeatedElement", copyRepeatedElement<Element, Primitive>},
    {4, "nothing", nothing},
    {5, "copyEveryNth", copyEveryNth<Element, Primitive>},
    {6, "elementReference", elementReference<Element, Primitive>},
    {7, "elementAddress", elementAddress<Element, Primitive>},
    {8, "elementValue", elementValue<Element, Primitive>},
    {9, "first", endElement<Element, Primitive>, kFront},
    {10, "last", endElement<Element, Primitive>, kBack},
    {11, "size", size<Element, Primitive>},
    {12, "isEmpty", isEmpty<Element, Primitive>},
    {13, "insert", insert<Element, Primitive>},
    {14, "insertRange", insertRange<Element, Primitive>},
    {15, "insertElement", insertElement<Element, Primitive>},
    {16, "prepend", insertAtEnd<Element, Primitive>, kFront},
    {17, "prependElement", insertElementAtEnd<Element, Primitive>, kFront},
    {18, "append", insertAtEnd<Element, Primitive>, kBack},
    {19, "appendElement", insertElementAtEnd<Element, Primitive>, kBack},
    {20, "repeat", repeat<Element, Primitive>},
    {21, "removeAt", removeAt<Element, Primitive>},
    {22, "removeRange", removeRange<Element, Primitive>},
    {23, "removeFirst", removeAtEnd<Element, Primitive>, kFront},
    {24, "removeLast", removeAtEnd<Element, Primitive>, kBack},
    {25, "removeAll", removeAll<Element, Primitive>},
    {26, "replaceRange", replaceRange<Element, Primitive>},
    {27, "replaceRangeElement", replaceRangeElement<Element, Primitive>},
    {28, "copyRange", copyRange<Element, Primitive>},
    {29, "copyElement", copyElement<Element, Primitive>},
    {81, "replaceCheckedRange", replaceCheckedRange<Element, Primitive>},
    {82, "sliceCheckedRange", sliceCheckedRange<Element, Primitive>},
    {83, "replacePart", replacePart<Element, Primitive>},
    {84, "joinParts", joinParts<Element, Primitive>},
};

} // namespace
} // namespace ArrayNatives

using ArrayNatives::kArrayFunctions;

constinit const NativeTable kByteArrayNatives{kArrayFunctions<ByteElement, true>};
constinit const NativeTable kIntArrayNatives{kArrayFunctions<WordElement, true>};
constinit const NativeTable kInt2ArrayNatives{kArrayFunctions<TwoWordElement, true>};
constinit const NativeTable kInt3ArrayNatives{kArrayFunctions<ThreeWordElement, true>};
constinit const NativeTable kInt4ArrayNatives{kArrayFunctions<FourWordElement, true>};
constinit const NativeTable kObjectArrayNatives{kArrayFunctions<WordElement, false>};
