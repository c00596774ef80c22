// Key events that the host makes in the heap reach the application's key methods, which
// read them through the key event natives; the collection frees them afterwards.
#include "HeapEntry.h"
#include "KeyEvent.h"
#include "MachineTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kProgram = R"(
.class App
.frame main
.frame key
    args 2 | argrefs 0, 1
.function "main" main, main
.method "<*application>.key pressed<*keyevent>"
    impl App pressed, key
.method "<*application>.key released<*keyevent>"
    impl App released, key
.code
main:
    new OBJECT, 1
    dup | setclass App
    native System, 5
    ret 0, 0
pressed:                    ; application, key event, return address
    pick -2 | native KeyEvent, keyCode
    tostr
    native Debug, 1
    pick -2 | native KeyEvent, modifiers
    tostr
    native Debug, 1
    ret 0, 3
released:
    str "released" | native Debug, 1
    ret 0, 3
)";

// The window program keys reads the code, scan code and text of real key events; here
// the host's own events reach the methods, with their modifiers, and are freed by the
// collection after the call.
TEST(KeyEventNatives, TheKeyMethodsGetTheEventsTheHostMakes) {
    StartedMachine run(kProgram);
    VMHeap& heap = run.machine->getHeap();
    const TVMAddress letter = Kestro::KeyEvent::create(heap, 65, 38, 3, OString("A"));
    run.machine->deliverEvent(EHandleKeyPressed, {letter});
    const TVMAddress arrow =
        Kestro::KeyEvent::create(heap, Kestro::KeyEvent::EKeyUp, 111, 0, OString());
    run.machine->deliverEvent(EHandleKeyPressed, {arrow});
    run.machine->deliverEvent(EHandleKeyReleased, {arrow});
    EXPECT_EQ(run.host.lines, (std::vector<std::string>{"65", "3", "16777221", "0", "released"}));
    EXPECT_FALSE(heap.isBlockInUse(headerOf(letter))) << "freed by the collection after the call";
}

} // namespace
