#include "secret_change.h"

#include <cstring>

#include "card_functions.h"
#include "key_name.h"
#include "library_errors.h"
#include "nolm_library.h"
#include "shared_buffers.h"
#include "text_fields.h"
#include "trace.h"

namespace {

void fillFields(const char* current, const char* newValue) {
  fillPasswordField(passwordField, current);
  fillPasswordField(newValueField, newValue);
}

void wipeFields() {
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(newValueField, sizeof newValueField);
}

bool finish(int result) {
  lastResultCode = result;
  if (result == 0) return true;
  reportLibraryError(result);
  return false;
}

}  // namespace

bool changeCardKeyPassword(const char* keyName, const char* oldPassword, const char* newPassword) {
  if (!REQUIRE_NOLM(NolmChangePswCC) || !takeKeyName(keyName, TextId::key_name_too_long_password))
    return false;
  fillFields(oldPassword, newPassword);
  int result = nolm.NolmChangePswCC(keyPathBuffer, passwordField, newValueField, 0,
                                    currentReaderName);
  wipeFields();
  QELT_TRACE("NolmChangePswCC(\"%s\", ***, ***, 0, \"%s\") = %d", keyPathBuffer, currentReaderName,
             result);
  return finish(result);
}

bool changeKeyFilePassword(const char* keyLocation, const char* oldPassword,
                           const char* newPassword) {
  if (!REQUIRE_NOLM(NolmChangePsw) || !takeKeyName(keyLocation, TextId::key_name_too_long_password))
    return false;
  fillFields(oldPassword, newPassword);
  int result = nolm.NolmChangePsw(keyPathBuffer, passwordField, newValueField, 0);
  wipeFields();
  QELT_TRACE("NolmChangePsw(\"%s\", ***, ***, 0) = %d", keyPathBuffer, result);
  return finish(result);
}

bool changePin(bool plasticCard, const char* oldPin, const char* newPin) {
  if (plasticCard) {
    // The card takes the PIN texts whole, not as fields.
    PlasticCardFunctions card;
    if (!takePlasticCardFunctions(&card, kCardChangePin)) return false;
    lastResultCode = card.open(oldPin, 0);
    QELT_TRACE("card.open(***, 0) = %d", lastResultCode);
    if (lastResultCode != 0) {
      showCardError(lastResultCode, TextId::card_open_caption);
      return false;
    }
    lastResultCode = card.changePin(oldPin, newPin);
    QELT_TRACE("card.changePin(***, ***) = %d", lastResultCode);
    if (lastResultCode != 0) {
      int code = lastResultCode;
      card.close();  // not left open after a refused change
      showCardError(code, TextId::card_pin_caption);
      return false;
    }
    card.close();
    return true;
  }
  if (!REQUIRE_NOLM(NCCchangePIN)) return false;
  fillFields(oldPin, newPin);
  int result = nolm.NCCchangePIN(currentReaderName, passwordField, newValueField);
  wipeFields();
  QELT_TRACE("NCCchangePIN(\"%s\", ***, ***) = %d", currentReaderName, result);
  return finish(result);
}
