#include "trace.h"

#include "format_text.h"

TraceSink traceSink = nullptr;

void traceEvent(const wchar_t* tail, const char* format, ...) {
  if (!traceSink) return;
  char text[1024];
  va_list args;
  va_start(args, format);
  formatTextV(text, sizeof text, format, args);
  va_end(args);
  traceSink(text, tail);
}
