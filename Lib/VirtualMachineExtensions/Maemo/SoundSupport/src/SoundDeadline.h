// How long the sound extensions wait for the sound server. Without one (a desktop without
// sound, a build machine) a context or a stream may never become ready: the extensions
// wait this long at most, write one line to standard error and go on silently.
#pragma once

#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/timeval.h>

constexpr pa_usec_t kSoundServerWait = 3 * PA_USEC_PER_SEC;

// A one-shot timer on a main loop: `expired` runs with `data` once the wait is over,
// unless the deadline is destroyed first. Make and destroy it on the loop's own thread,
// or under the lock of a threaded loop.
class SoundDeadline {
public:
    SoundDeadline(pa_mainloop_api* api, void (*expired)(void* data), void* data);
    ~SoundDeadline();
    SoundDeadline(const SoundDeadline&) = delete;
    SoundDeadline& operator=(const SoundDeadline&) = delete;

private:
    static void fire(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when,
                     void* self);

    pa_mainloop_api* api;
    pa_time_event* event;
    void (*expired)(void*);
    void* data;
};

// The one line written when an extension goes on without sound: "NAME: no sound (REASON);
// sound is off", the reason the context's error or the server's silence.
void reportSoundOff(const char* extension, pa_context* context);
