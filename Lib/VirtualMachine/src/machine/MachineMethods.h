// The application methods the machine calls by signature: its start-up, the host's events
// and the machine's own calls for exceptions. Start-up looks them up in this order.
#pragma once

#include <iterator>

// Whom an event is called on: nobody, the application object (with depth 1, and nothing
// happens while it is null), or a listener the host gives as the first value (depth 1).
enum class EventReceiver { None, Application, Listener };
// How the host's call is made: the machine calls the method itself (start-up,
// exceptions); the host calls it at once (a re-entry is a fatal machine error); or the
// host's call waits behind a running one.
enum class EventDelivery { Machine, AtOnce, Queued };

// X(name, "signature", receiver, delivery)
#define KESTRO_MACHINE_METHODS(X)                                                                  \
    X(GlobalInit, "::global::init", None, Machine)                                                 \
    X(Main, "main", None, Machine)                                                                 \
    X(SystemTimer, "<systemtimerlistener>.systemtimerevent", Listener, AtOnce)                     \
    X(Draw, "<application>.draw to<canvas>", Application, AtOnce)                                  \
    X(KeyPressed, "<application>.key pressed<keyevent>", Application, Queued)                      \
    X(KeyReleased, "<application>.key released<keyevent>", Application, Queued)                    \
    X(PointerEvent, "<application>.pointer event<int>at x<int>y<int>modifiers<int>", Application,  \
      Queued)                                                                                      \
    X(PointerPressed, "<application>.pointer pressed at<position>", Application, Queued)           \
    X(PointerDragged, "<application>.pointer dragged to<position>", Application, Queued)           \
    X(PointerReleased, "<application>.pointer released at<position>", Application, Queued)         \
    X(Exit, "<application>.exit event", Application, Queued)                                       \
    X(Foreground, "<application>.foreground event", Application, Queued)                           \
    X(Background, "<application>.background event", Application, Queued)                           \
    X(OrientationChanged,                                                                          \
      "<screenorientationlistener>.screen orientation changed to<orientation>", Listener, Queued)  \
    X(InternalThrow, "vminternalthrow<int>,<string>", None, Machine)                               \
    X(PrintThrowable, "vmprintthrowable<throwable>", None, Machine)                                \
    X(PrintThrowableAndExit, "vmprintthrowableandexit<throwable>", None, Machine)

// The methods by their place in the machine's handle table.
enum EventHandle : int {
#define KESTRO_MACHINE_METHOD_ENUM(name, ...) EHandle##name,
    KESTRO_MACHINE_METHODS(KESTRO_MACHINE_METHOD_ENUM)
#undef KESTRO_MACHINE_METHOD_ENUM
        EEventHandleCount
};

struct MachineMethod {
    const char* signature;
    EventReceiver receiver;
    EventDelivery delivery;
};

inline constexpr MachineMethod kMachineMethods[] = {
#define KESTRO_MACHINE_METHOD_ROW(name, signature, receiver, delivery)                             \
    {signature, EventReceiver::receiver, EventDelivery::delivery},
    KESTRO_MACHINE_METHODS(KESTRO_MACHINE_METHOD_ROW)
#undef KESTRO_MACHINE_METHOD_ROW
};
static_assert(std::size(kMachineMethods) == EEventHandleCount);
