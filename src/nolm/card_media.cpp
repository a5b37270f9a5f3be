#include "card_media.h"

#include <cstring>

#include "card_functions.h"
#include "format_text.h"
#include "nolm_library.h"
#include "trace.h"

namespace {

constexpr int kPlasticCardRecordSize = 20;  // begins with the key name; 8 characters used

}  // namespace

void collectReaders() {
  clearReaderList();
  lastResultCode = nolm.NolmFindFirstRdr(currentReaderName, 1);
  currentReaderName[sizeof currentReaderName - 1] = '\0';
  QELT_TRACE("NolmFindFirstRdr(reader, 1) = %d, reader \"%s\"", lastResultCode, currentReaderName);
  if (lastResultCode != 0) return;
  appendReader(currentReaderName);
  while (lastResultCode == 0 && readerCount() < kMostReaders) {
    lastResultCode = nolm.NolmFindNextRdr(currentReaderName);
    currentReaderName[sizeof currentReaderName - 1] = '\0';
    QELT_TRACE("NolmFindNextRdr(reader) = %d, reader \"%s\"", lastResultCode, currentReaderName);
    if (lastResultCode == 0) appendReader(currentReaderName);
  }
}

void chooseReader(const char* name) {
  formatText(currentReaderName, sizeof currentReaderName, "%s", name);
}

int readCardKeyTable() {
  // Nothing of an earlier card survives a failed or short listing.
  std::memset(&cardKeyTable, 0, sizeof cardKeyTable);
  lastResultCode = nolm.NCCgetFileList(currentReaderName, &cardKeyTable);
  QELT_TRACE("NCCgetFileList(\"%s\", table) = %d", currentReaderName, lastResultCode);
  return lastResultCode;
}

bool listPlasticCardKeys(KeyNameText (&names)[kMostPlasticCardKeys], int* count) {
  *count = 0;
  PlasticCardFunctions card;
  if (!takePlasticCardFunctions(&card, kCardListKeys)) return false;
  lastResultCode = card.open(nullptr, 0);
  QELT_TRACE("card.open(null, 0) = %d", lastResultCode);
  if (lastResultCode != 0) {
    showCardError(lastResultCode, TextId::card_caption);
    return false;
  }
  char records[kMostPlasticCardKeys][kPlasticCardRecordSize] = {};
  int listed = kMostPlasticCardKeys;
  lastResultCode = card.listKeys(records, &listed);
  QELT_TRACE("card.listKeys(records, &count) = %d, count %d", lastResultCode, listed);
  card.close();
  if (lastResultCode != 0) {
    showCardError(lastResultCode, TextId::card_caption);
    return false;
  }
  // The card reports the number of records it wrote; more than the array
  // holds, or a negative number, is not read past the array.
  if (listed < 0) listed = 0;
  if (listed > kMostPlasticCardKeys) listed = kMostPlasticCardKeys;
  for (int i = 0; i < listed; ++i) formatText(names[i], sizeof names[i], "%.8s", records[i]);
  *count = listed;
  return true;
}
