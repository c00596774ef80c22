#include "NativeCall.h"

#include "ErrorHandling.h"
#include "GcCodes.h"
#include "HeapCells.h"
#include "NativeGroups.h"

#include <memory>
#include <string>

void NativeCall::unknownFunction() const {
    const NativeGroupInfo group = nativeGroupInfo(groupNumber);
    const bool byNumber = group.messageSuffix == UnknownFunctionSuffix::FunctionNumber;
    const std::string message =
        group.messagePrefix + std::to_string(byNumber ? functionNumber : vm.pc);
    throwError(EVMException, message.c_str());
}

RangeOperand NativeCall::range() {
    const RangeOperand operand = uncheckedRange();
    if (operand.first < 0) throwError(ERange);
    return operand;
}

RangeOperand NativeCall::uncheckedRange() {
    const TInt32 length = integer();
    return {integer(), length};
}

void NativeCall::answerWords(std::span<const TUint32> words, TInt32 kept) {
    const TInt32 first = top - read + 1 + kept;
    const TInt32 last = first + static_cast<TInt32>(words.size()) - 1;
    if (last >= vm.stackLimit) vm.stackOverflow();
    for (std::size_t i = 0; i < words.size(); ++i)
        slot(first + static_cast<TInt32>(i)) = words[i];
    vm.sp = last;
}

OString& NativeCall::stringAt(TVMAddress cell) {
    return stringInCell(vm.heap, cell);
}

TVMAddress NativeCall::newString(OString text) {
    return newStringCell(vm.heap, std::move(text));
}

void NativeCall::storeString(TVMAddress cell, const OString& text) {
    const TVMAddress object =
        vm.heap.allocateNative(std::make_unique<OString>(text), GC_CODE_STRING);
    vm.space.store32(cell, object);
}

TVMAddress NativeCall::newCell(TVMAddress value) {
    return ::newCell(vm.heap, value);
}
