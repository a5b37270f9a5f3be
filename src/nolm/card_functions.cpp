#include "card_functions.h"

#include "nolm_library.h"
#include "notices.h"
#include "token_error_text.h"
#include "trace.h"

bool takePlasticCardFunctions(PlasticCardFunctions* card, CardSlot needed) {
  *card = PlasticCardFunctions{};
  if (!REQUIRE_NOLM(KMGetFuncs)) return false;
  void** table = nolm.KMGetFuncs(kPlasticCardMarker);
  QELT_TRACE("KMGetFuncs(\"%s\") = %s", kPlasticCardMarker, table ? "table" : "null");
  if (table) {
    card->open = reinterpret_cast<CardOpenFn>(table[kCardOpen]);
    card->changePin = reinterpret_cast<CardChangePinFn>(table[kCardChangePin]);
    card->listKeys = reinterpret_cast<CardListKeysFn>(table[kCardListKeys]);
    card->close = reinterpret_cast<CardCloseFn>(table[kCardClose]);
  }
  bool hasNeeded = needed == kCardChangePin ? card->changePin != nullptr : card->listKeys != nullptr;
  if (card->open && card->close && hasNeeded) return true;
  notifyText(NoticeKind::kError, kCodeNoFunction, TextId::card_caption, TextId::card_functions_missing);
  return false;
}

void showCardError(int code, TextId caption) {
  wchar_t text[kTextBufferSize];
  tokenErrorText(code, text, kTextBufferSize);
  notifyWide(NoticeKind::kError, code, text, caption);
}
