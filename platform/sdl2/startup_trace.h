// With SNOWVEL_TRACE_STARTUP=FILE in the environment the backend notes when
// each step of its start-up ends and, once the main window's first picture
// has gone to the display server, writes the times to FILE: one line per
// step, its name, the milliseconds since the process started and the wall
// clock in microseconds since 1970. Without the variable nothing is noted.
#pragma once

// True until the trace has been written (and always false without the variable).
bool startupTraceWanted();

// Notes the end of a step; a step noted again keeps its first time.
void traceStartupStep(const char* step);

// Writes what has been noted, if it has not been written yet.
void writeStartupTrace();
