// The players' connection to the sound server: a context on the GLib main loop of the
// host's thread, so that every callback of the players runs there, between host calls.
// Operations on players wait here until the context is ready, then run in order. Without a
// server (no answer within kSoundServerWait) it writes one line, drops what waits, and
// the players play silently.
#pragma once

#include "DeferredOperation.h"

#include <deque>
#include <memory>
#include <pulse/context.h>
#include <pulse/glib-mainloop.h>
#include <pulse/stream.h>

class SoundDeadline;

class PlayerServer {
public:
    PlayerServer();
    ~PlayerServer();
    PlayerServer(const PlayerServer&) = delete;
    PlayerServer& operator=(const PlayerServer&) = delete;

    // Runs the operation now when the context is ready, later when it becomes ready, or
    // never without sound.
    void perform(std::unique_ptr<DeferredOperation> operation);
    // The context for the players' streams; null until it is ready.
    pa_context* readyContext() const { return state == State::EReady ? context : nullptr; }

private:
    enum class State { EConnecting, EReady, ESilent };

    static void contextChanged(pa_context* context, void* server);
    static void deadlinePassed(void* server);
    void goSilent();

    pa_glib_mainloop* loop;
    pa_context* context;
    State state = State::EConnecting;
    std::unique_ptr<SoundDeadline> deadline;
    std::deque<std::unique_ptr<DeferredOperation>> pending;
};
