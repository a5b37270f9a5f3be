#include "key_name_outputs.h"

#include "host_text.h"

namespace {

// Characters [from, to) of name, stopping at its end.
template <typename Char>
void part(const Char* name, int from, int to, Char (&out)[9]) {
  int length = 0;
  while (length < to && name[length]) ++length;
  int written = 0;
  for (int i = from; i < length; ++i) out[written++] = name[i];
  out[written] = 0;
}

template <typename Char, typename Write>
void writeParts(const Char* name, Write write) {
  Char text[9];
  part(name, 0, 2, text);
  write(VAR_0, text);
  part(name, 2, 6, text);
  write(VAR_1, text);
  part(name, 0, 8, text);
  write(VAR_2, text);
}

}  // namespace

void writeKeyNameOutputs(const char* name) {
  writeParts(name, [](int index, const char* text) { writeLibraryText(index, text); });
}

void writeKeyNameOutputs(const wchar_t* name) {
  // The whole name first: when it cannot be written, neither can its parts.
  wchar_t whole[9];
  part(name, 0, 8, whole);
  if (!writeSystemText(VAR_2, whole)) return;
  writeParts(name, [](int index, const wchar_t* text) { writeSystemText(index, text); });
}
