// Counters of what the stand-in module was asked to do, kept for leak checks.
// When QELT_TOKEN_COUNTERS names a file, every change is read from and
// written back to that file at once, so the counts outlive the module's
// unloading and add up over every load in the process (and across
// processes); otherwise they live in memory for one load.
#pragma once

// Adds 1 to the named counter and returns its new value.
unsigned long bumpCounter(const char* name);
// Sets the named counter.
void setCounter(const char* name, unsigned long value);
