// The keys on the plastic card, the Nolm medium "PLC:".
#include "choice_outputs.h"
#include "format_text.h"
#include "list_dialog.h"
#include "list_procedures.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "token_error_text.h"

namespace {

constexpr int kMostRecords = 100;
constexpr int kRecordSize = 20;  // begins with the key name; 8 characters used
const char kCardCaption[] = "Помилка роботи з Plastic Card";

void showCardError(int code) {
  formatText(libraryMessageText, sizeof libraryMessageText, "%s", tokenErrorText(code).text);
  showErrorWithCaption(libraryMessageText, kCardCaption);
}

// On any failure the dialog stays open with an empty list: the user has seen
// why and leaves with Cancel.
ListStart fillPlasticCardKeys(HWND dialog, HWND list) {
  if (!REQUIRE_NOLM(KMGetFuncs)) return ListStart::kShow;
  void** table = nolm.KMGetFuncs("PLC:");
  auto open = table ? reinterpret_cast<CardOpenFn>(table[kCardOpen]) : nullptr;
  auto listKeys = table ? reinterpret_cast<CardListKeysFn>(table[kCardListKeys]) : nullptr;
  auto close = table ? reinterpret_cast<CardCloseFn>(table[kCardClose]) : nullptr;
  if (!open || !listKeys || !close) {
    showErrorWithCaption("Бібліотека не надала функцій роботи з Plastic Card.", kCardCaption);
    return ListStart::kShow;
  }
  lastResultCode = open(nullptr, 0);
  if (lastResultCode != 0) {
    showCardError(lastResultCode);
    return ListStart::kShow;
  }
  char records[kMostRecords][kRecordSize] = {};
  int count = kMostRecords;
  lastResultCode = listKeys(records, &count);
  close();
  if (lastResultCode != 0) {
    showCardError(lastResultCode);
    return ListStart::kShow;
  }
  // The card reports the number of records it wrote; more than the array
  // holds, or a negative number, is not read past the array.
  if (count < 0) count = 0;
  if (count > kMostRecords) count = kMostRecords;
  for (int i = 0; i < count; ++i) {
    char entry[9];
    formatText(entry, sizeof entry, "%.8s", records[i]);
    addListEntry(list, entry);
  }
  return takeSingleCandidate(dialog, list, count, writeKeyNameOutputs);
}

const ListProcedure kPlasticCardKeyList = {fillPlasticCardKeys, writeKeyNameOutputs, nullptr};

}  // namespace

INT_PTR CALLBACK plasticCardKeyListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return handleListMessage(kPlasticCardKeyList, dialog, message, wParam);
}
