// The card key table: the keys on the card in the current reader.
#include "card_key_table.h"
#include "choice_outputs.h"
#include "format_text.h"
#include "list_dialog.h"
#include "list_procedures.h"

namespace {

ListStart fillCardFiles(HWND, HWND list) {
  for (int i = usableCardKeyCount(cardKeyTable) - 1; i >= 0; --i) {
    char entry[9];
    formatText(entry, sizeof entry, "%.8s", cardKeyTable.entries[i]);
    addListEntry(list, entry);
  }
  return ListStart::kShow;
}

const ListProcedure kCardFileList = {fillCardFiles, writeKeyNameOutputs, nullptr};

}  // namespace

INT_PTR CALLBACK cardFileListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return handleListMessage(kCardFileList, dialog, message, wParam);
}
