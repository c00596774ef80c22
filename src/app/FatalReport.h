// The lines the program writes when a runtime error or a fatal machine error ends it;
// each returns the exit status, 1.
#pragma once

// "FATAL: " and the last error's text.
int reportRuntimeError();
// The machine's description of what went wrong, then the "FATAL: " line.
int reportFatalMachineError();
