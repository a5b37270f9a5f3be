// The card readers found by CheckToken; the choice becomes the current reader.
#include "format_text.h"
#include "host_context.h"
#include "list_dialog.h"
#include "list_procedures.h"
#include "nolm_library.h"
#include "reader_list.h"

namespace {

ListStart fillReaders(HWND, HWND list) {
  for (int i = readerCount() - 1; i >= 0; --i) addListEntry(list, readerAt(i));
  return ListStart::kShow;
}

void takeReader(const char* entry) {
  formatText(messageBuffer, sizeof messageBuffer, "%s", entry);
  setVariable(VAR_0, "1");
  setVariable(VAR_1, messageBuffer);
  formatText(currentReaderName, sizeof currentReaderName, "%s", messageBuffer);
}

void refuseReaders() { setVariable(VAR_0, "0"); }

const ListProcedure kReaderChoiceList = {fillReaders, takeReader, refuseReaders};

}  // namespace

INT_PTR CALLBACK readerChoiceListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return handleListMessage(kReaderChoiceList, dialog, message, wParam);
}
