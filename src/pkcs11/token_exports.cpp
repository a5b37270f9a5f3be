// CheckTokenAvtor, GetAvtorCertList, ParseAvtorKey: the Secure Token road.
// Nothing here shows a message; every token failure only means fewer tokens
// or certificates.
#include "certificate_entry.h"
#include "export_guard.h"
#include "format_text.h"
#include "host_context.h"
#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "shared_buffers.h"
#include "token_certificates.h"

namespace {

constexpr int kListedPlaces = 4;

int countTokens() {
  try {
    Pkcs11Module module(kTokenModuleName);
    CK_ULONG count = 0;
    module.GetSlotList(nullptr, &count);
    return static_cast<int>(count);
  } catch (const DsException&) {
    return 0;  // no module, no start, no slot list: no token
  }
}

void checkTokens() {
  char text[16];
  formatText(text, sizeof text, "%d", countTokens());
  setVariable(VAR_0, text);
}

void listCertificates() {
  TokenCertificateList list = enumerateTokenCertificates();
  int pushed = 0;
  for (int place = 0; place < kListedPlaces; ++place) {
    if (list[place].empty()) continue;
    pushStackString(list[place].text);
    ++pushed;
  }
  char count[16];
  formatText(count, sizeof count, "%d ", pushed);
  pushStackString(count);
}

void parseEntry() {
  popStackString(selectionBuffer, sizeof selectionBuffer);
  int selector = popStackInteger();
  char part[kTextBufferSize];
  if (selector == 0)
    entryKeyNumberPart(selectionBuffer, part, sizeof part);
  else
    entryNamePart(selectionBuffer, part, sizeof part);
  setVariable(VAR_R0, part);
}

}  // namespace

QELT_EXPORT(CheckTokenAvtor) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  setVariable(VAR_0, "0");
  guardExport(checkTokens);
}

QELT_EXPORT(GetAvtorCertList) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(listCertificates);
}

QELT_EXPORT(ParseAvtorKey) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  setVariable(VAR_R0, "");
  guardExport(parseEntry);
}
