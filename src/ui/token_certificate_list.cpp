// ReadTokenAvtorKey: the certificates on the Secure Token tokens, one of which
// the user picks in the key choice dialog.
#include "certificate_entry.h"
#include "export_guard.h"
#include "host_context.h"
#include "list_dialog.h"
#include "token_certificates.h"

namespace {

constexpr int kMostOffered = 4;

ListStart fillTokenCertificates(HWND, HWND list) {
  TokenCertificateList certificates = enumerateTokenCertificates();
  int offered = 0;
  for (const auto& entry : certificates) {
    if (offered == kMostOffered) break;
    if (entry.empty()) continue;
    addListEntry(list, entry.text);
    ++offered;
  }
  return ListStart::kShow;
}

// "Owner name (0a1b2c3d)": $0 the owner name and its blank, $1 the key number.
void writeCertificateEntryOutputs(const char* entry) {
  char part[1024];
  entryNamePart(entry, part, sizeof part);
  setVariable(VAR_0, part);
  entryKeyNumberPart(entry, part, sizeof part);
  setVariable(VAR_1, part);
}

const ListProcedure kTokenCertificateList = {fillTokenCertificates, writeCertificateEntryOutputs,
                                             nullptr};

INT_PTR CALLBACK tokenCertificateListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return handleListMessage(kTokenCertificateList, dialog, message, wParam);
}

}  // namespace

QELT_EXPORT(ReadTokenAvtorKey) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] {
    setVariable(VAR_0, "");
    runKeyChoiceDialog(parentWindow, tokenCertificateListProcedure);
  });
}
