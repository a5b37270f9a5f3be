#include "choice_outputs.h"

#include <cstring>

#include "format_text.h"
#include "host_context.h"

void writeKeyNameOutputs(const char* entry) {
  char part[16];
  formatText(part, sizeof part, "%.2s", entry);
  setVariable(VAR_0, part);
  char firstSix[8];
  formatText(firstSix, sizeof firstSix, "%.6s", entry);
  setVariable(VAR_1, std::strlen(firstSix) > 2 ? firstSix + 2 : "");
  formatText(part, sizeof part, "%.8s", entry);
  setVariable(VAR_2, part);
}
