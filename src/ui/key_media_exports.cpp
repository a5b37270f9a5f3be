// CheckToken, ReadFolderKey, ReadTokenKey, Test: where the secret key lies.
#include <cstring>

#include "card_key_table.h"
#include "choice_outputs.h"
#include "export_guard.h"
#include "format_text.h"
#include "host_context.h"
#include "library_errors.h"
#include "list_dialog.h"
#include "list_procedures.h"
#include "nolm_library.h"
#include "reader_list.h"
#include "shared_buffers.h"

namespace {

bool isPlasticCardMarker() { return std::strcmp(keyMediumMarker, "PLC:") == 0; }

void setDecimal(int index, int value) {
  char text[16];
  formatText(text, sizeof text, "%d", value);
  setVariable(index, text);
}

void collectReaders() {
  clearReaderList();
  lastResultCode = nolm.NolmFindFirstRdr(currentReaderName, 1);
  currentReaderName[sizeof currentReaderName - 1] = '\0';
  if (lastResultCode != 0) return;
  appendReader(currentReaderName);
  while (lastResultCode == 0 && readerCount() < kMostReaders) {
    lastResultCode = nolm.NolmFindNextRdr(currentReaderName);
    currentReaderName[sizeof currentReaderName - 1] = '\0';
    if (lastResultCode == 0) appendReader(currentReaderName);
  }
}

void checkToken(HWND parent) {
  if (!REQUIRE_NOLM(NolmFindFirstRdr) || !REQUIRE_NOLM(NolmFindNextRdr)) {
    setVariable(VAR_0, "0");
    return;
  }
  collectReaders();
  if (readerCount() > 1) {
    runDeviceChoiceDialog(parent, readerChoiceListProcedure);
    return;
  }
  setDecimal(VAR_0, readerCount());
  if (readerCount() == 1) {
    setVariable(VAR_1, readerAt(0));
    formatText(currentReaderName, sizeof currentReaderName, "%s", readerAt(0));
  }
}

void readFolderKey(HWND parent) {
  setVariable(VAR_0, "");
  popStackString(keyMediumMarker, sizeof keyMediumMarker);
  runKeyChoiceDialog(parent,
                     isPlasticCardMarker() ? plasticCardKeyListProcedure : folderKeyListProcedure);
}

void readTokenKey(HWND parent) {
  setVariable(VAR_0, "");
  popStackString(keyMediumMarker, sizeof keyMediumMarker);
  if (isPlasticCardMarker()) {
    runKeyChoiceDialog(parent, plasticCardKeyListProcedure);
    return;
  }
  if (!REQUIRE_NOLM(NCCgetFileList)) return;
  // Nothing of an earlier card survives a failed or short listing.
  std::memset(&cardKeyTable, 0, sizeof cardKeyTable);
  lastResultCode = nolm.NCCgetFileList(currentReaderName, &cardKeyTable);
  if (lastResultCode != 0) {
    fetchLibraryText(lastResultCode);
    setVariable(VAR_0, "");
    setDecimal(VAR_1, lastResultCode);
    return;
  }
  int count = usableCardKeyCount(cardKeyTable);
  if (count > 1) {
    runKeyChoiceDialog(parent, cardFileListProcedure);
    return;
  }
  char entry[9] = "";
  if (count == 1) formatText(entry, sizeof entry, "%.8s", cardKeyTable.entries[0]);
  writeKeyNameOutputs(entry);
  setDecimal(VAR_3, count);
}

}  // namespace

QELT_EXPORT(CheckToken) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] { checkToken(parentWindow); });
}

QELT_EXPORT(ReadFolderKey) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] { readFolderKey(parentWindow); });
}

QELT_EXPORT(ReadTokenKey) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] { readTokenKey(parentWindow); });
}

QELT_EXPORT(Test) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] { runKeyChoiceDialog(parentWindow, cardFileListProcedure); });
}
