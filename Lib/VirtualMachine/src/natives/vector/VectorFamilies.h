// The families of the array natives. Each handles the function numbers of its family and
// answers false for any other number.
#pragma once

#include "ArrayCall.h"

// 2, 3, 5, 28, 29: new arrays stored into a destination array variable.
template <class Element> bool createArray(ArrayCall<Element>& call, TInt32 function);
// 6 to 12: elements, their addresses, the size.
template <class Element> bool accessArray(ArrayCall<Element>& call, TInt32 function);
// 13 to 19: insertion of elements and of parts of other arrays.
template <class Element> bool insertIntoArray(ArrayCall<Element>& call, TInt32 function);
// 21 to 25: removal.
template <class Element> bool removeFromArray(ArrayCall<Element>& call, TInt32 function);
// 20, 26, 27, 81, 83: repetition and replacement of ranges.
template <class Element> bool replaceInArray(ArrayCall<Element>& call, TInt32 function);
// 82, 84: new arrays handed back in a new cell.
template <class Element> bool sliceArrays(ArrayCall<Element>& call, TInt32 function);
