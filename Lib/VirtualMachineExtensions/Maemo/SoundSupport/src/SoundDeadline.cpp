#include "SoundDeadline.h"

#include <cstdio>
#include <pulse/error.h>
#include <pulse/timeval.h>

SoundDeadline::SoundDeadline(pa_mainloop_api* anApi, void (*anExpired)(void*), void* someData)
    : api(anApi), expired(anExpired), data(someData) {
    struct timeval when {};
    pa_timeval_add(pa_gettimeofday(&when), kSoundServerWait);
    event = api->time_new(api, &when, fire, this);
}

SoundDeadline::~SoundDeadline() {
    if (event) api->time_free(event);
}

void SoundDeadline::fire(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
    auto* deadline = static_cast<SoundDeadline*>(self);
    deadline->expired(deadline->data);
}

void reportSoundOff(const char* extension, pa_context* context) {
    const int error = pa_context_errno(context);
    std::fprintf(stderr, "%s: no sound (%s); sound is off\n", extension,
                 error != PA_OK ? pa_strerror(error) : "the server did not answer");
}
