// Calls from the event loop into the application. A runtime error, a fatal machine error
// or the application's exit request that ends such a call ends the event loop; the
// entry function then reports it and sets the exit status.
#pragma once

#include <functional>

// Runs the call unless an earlier one already ended the application.
void runHostCall(const std::function<void()>& call);

// How the application ended, once the event loop has returned.
enum class HostOutcome { Running, ExitRequested, RuntimeError, FatalMachineError };
HostOutcome hostOutcome();
