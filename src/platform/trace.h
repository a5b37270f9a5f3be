// Events for the support log. Every layer reports here what it did: a
// library call and its answer, a DLL loaded, what a token held, what the user
// answered. The plug-in sets the sink while a log is open and writes the
// events; no layer below it writes a file. Without a sink an event costs one
// test and its arguments are not evaluated.
//
// Never a secret: callers write "***" for passwords, PINs and random data.
#pragma once

// text: Windows-1251; tail: UTF-16 text that follows it (a path, a list
// entry), or null.
using TraceSink = void (*)(const char* text, const wchar_t* tail);
extern TraceSink traceSink;

// Formats (Windows-1251 format and string arguments) and hands it on.
void traceEvent(const wchar_t* tail, const char* format, ...) __attribute__((format(printf, 2, 3)));

#define QELT_TRACE(...)                               \
  do {                                                \
    if (traceSink) traceEvent(nullptr, __VA_ARGS__);  \
  } while (0)
#define QELT_TRACE_WITH(tail, ...)                 \
  do {                                             \
    if (traceSink) traceEvent(tail, __VA_ARGS__);  \
  } while (0)
