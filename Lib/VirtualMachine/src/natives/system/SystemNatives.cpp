// The system native group 32: ending the application, clocks, the application object,
// fonts and bitmaps.
#include "BitmapLoading.h"
#include "DateTimeFamilies.h"
#include "ErrorHandling.h"
#include "FontOperands.h"
#include "ImageFiles.h"
#include "NativeCall.h"
#include "NativeGroups.h"
#include "vector/ArrayCall.h"

namespace {

// Ends the process; the stack is not touched.
void exit(NativeCall& call, TInt32) {
    call.host().lifecycle->exitApplication();
}

// Ends the application's run with error code 12 after the host has seen the text.
void exitWithMessage(NativeCall& call, TInt32) {
    call.host().lifecycle->showExitMessage(call.string());
    throwError(EExitRequested);
}

void elapsedMillis(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(call.host().clocks->elapsedMillis()));
}

void currentTimeMillis(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(call.host().clocks->currentTimeMillis()));
}

void callStackText(NativeCall& call, TInt32) {
    call.answer(call.newString(OString("No Callstack available")));
}

void setApplicationObject(NativeCall& call, TInt32) {
    call.setApplicationObject(call.word());
    call.pop();
}

// What functions 6 and 7 ask a phone's host is not known; this host answers 0.
void pushZero(NativeCall& call, TInt32) {
    call.answer(0);
}

// A bitmap loaded from an application file, in a new cell; a file that holds no picture
// raises InvalidArgumentException with an empty message.
void bitmapFromFile(NativeCall& call, TInt32) {
    const OString& path = call.string();
    std::unique_ptr<VMBitmap> loaded = loadBitmapFile(call.host(), path);
    call.answer(call.newCell(handleForLoaded(call.heap(), std::move(loaded), "")));
}

// A bitmap decoded from a byte array, in a new cell.
void bitmapFromBytes(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    std::unique_ptr<VMBitmap> decoded = decodeBitmapBytes(call.host(), allBytesOf(call.array()));
    call.answer(call.newCell(handleForLoaded(call.heap(), std::move(decoded), "")));
}

void defaultFont(NativeCall& call, TInt32) {
    call.answer(newFontCell(call, call.host().fonts->defaultFont()));
}

// A bitmap font cut from the picture in an application file, in a new cell.
void bitmapFontFromFile(NativeCall& call, TInt32) {
    const HostServices& host = call.host();
    const std::vector<TUint8> bytes = readImageFile(*host.files, call.string());
    call.answer(newFontCell(call, host.fonts->bitmapFont(bytes)));
}

// A bitmap font cut from the picture in a byte array, in a new cell.
void bitmapFontFromBytes(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    const std::vector<TUint8> bytes = nonEmpty(allBytesOf(call.array()));
    call.answer(newFontCell(call, call.host().fonts->bitmapFont(bytes)));
}

void discardTwo(NativeCall& call, TInt32) {
    call.word();
    call.word();
    call.pop();
}

void null(NativeCall& call, TInt32) {
    call.word();
    call.answer(0);
}

constexpr NativeFunction kFunctions[] = {
    {1, "exit", exit},
    {2, "exitWithMessage", exitWithMessage},
    {3, "elapsedMillis", elapsedMillis},
    {4, "callStackText", callStackText},
    {5, "setApplicationObject", setApplicationObject},
    {6, "hostQuery", pushZero},
    {7, "secondHostQuery", pushZero},
    {8, "currentTimeMillis", currentTimeMillis},
    {9, "now", answerCurrentDateTime},
    {10, "defaultFont", defaultFont},
    {11, "bitmapFromFile", bitmapFromFile},
    {12, "bitmapFromBytes", bitmapFromBytes},
    {13, "discardTwo", discardTwo},
    {14, "null", null},
    {15, "secondNull", null},
    {16, "bitmapFontFromFile", bitmapFontFromFile},
    {17, "bitmapFontFromBytes", bitmapFontFromBytes},
};

} // namespace

constinit const NativeTable kSystemNatives{kFunctions};
