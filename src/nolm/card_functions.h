// The plastic card's function table (KMGetFuncs of the medium "PLC:") and the
// card's error box: one place for both.
#pragma once

#include "nolm_api.h"
#include "text_id.h"

constexpr char kPlasticCardMarker[] = "PLC:";

struct PlasticCardFunctions {
  CardOpenFn open;
  CardChangePinFn changePin;
  CardListKeysFn listKeys;
  CardCloseFn close;
};

// Fills card from the library's table. False, with the reason shown, when the
// library gives no table or it lacks open, close or the slot needed
// (kCardChangePin or kCardListKeys).
bool takePlasticCardFunctions(PlasticCardFunctions* card, CardSlot needed);

// The card's text for code in an error box with caption.
void showCardError(int code, TextId caption);
