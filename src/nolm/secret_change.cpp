// ChangePassword, ChangePasswordFile, ChangePin.
#include "format_text.h"
#include <cstring>

#include "export_guard.h"
#include "host_context.h"
#include "key_name.h"
#include "library_errors.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "shared_buffers.h"
#include "text_fields.h"
#include "token_error_text.h"

namespace {

const char kPlasticCardMarker[] = "PLC:";

void fillFields() {
  fillPasswordField(passwordField, getVariable(VAR_2));
  fillPasswordField(newValueField, getVariable(VAR_3));
}

void wipeFields() {
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(newValueField, sizeof newValueField);
}

void finish(int result) {
  lastResultCode = result;
  if (result == 0)
    setVariable(VAR_0, "1");
  else
    reportLibraryError(result);
}

void changeCardKeyPassword() {
  setVariable(VAR_0, "");
  if (!REQUIRE_NOLM(NolmChangePswCC) || !takeKeyName("Помилка зміни пароля.")) return;
  fillFields();
  int result = nolm.NolmChangePswCC(keyPathBuffer, passwordField, newValueField, 0,
                                    currentReaderName);
  wipeFields();
  finish(result);
}

void changeKeyFilePassword() {
  setVariable(VAR_0, "");
  if (!REQUIRE_NOLM(NolmChangePsw) || !takeKeyName("Помилка зміни пароля.")) return;
  fillFields();
  int result = nolm.NolmChangePsw(keyPathBuffer, passwordField, newValueField, 0);
  wipeFields();
  finish(result);
}

void showCardError(int code, const char* caption) {
  formatText(libraryMessageText, sizeof libraryMessageText, "%s", tokenErrorText(code).text);
  showErrorWithCaption(libraryMessageText, caption);
}

void changePlasticCardPin() {
  if (!REQUIRE_NOLM(KMGetFuncs)) return;
  void** table = nolm.KMGetFuncs(kPlasticCardMarker);
  auto open = table ? reinterpret_cast<CardOpenFn>(table[kCardOpen]) : nullptr;
  auto change = table ? reinterpret_cast<CardChangePinFn>(table[kCardChangePin]) : nullptr;
  auto close = table ? reinterpret_cast<CardCloseFn>(table[kCardClose]) : nullptr;
  if (!open || !change || !close) {
    showErrorWithCaption("Бібліотека не надала функцій роботи з Plastic Card.",
                         "Помилка роботи з Plastic Card");
    return;
  }
  // The card takes the PIN texts whole, not as fields.
  lastResultCode = open(getVariable(VAR_2), 0);
  if (lastResultCode != 0) {
    showCardError(lastResultCode, "Помилка роботи з Plastic Card(init)");
    return;
  }
  lastResultCode = change(getVariable(VAR_2), getVariable(VAR_3));
  if (lastResultCode != 0) {
    int code = lastResultCode;
    close();  // not left open after a refused change
    showCardError(code, "Помилка роботи з Plastic Card(chPIN)");
    return;
  }
  close();
  setVariable(VAR_0, "1");
}

void changePin() {
  setVariable(VAR_0, "");
  popStackString(keyMediumMarker, sizeof keyMediumMarker);
  if (!getVariable(VAR_2) || !getVariable(VAR_3)) return;
  if (std::strcmp(keyMediumMarker, kPlasticCardMarker) == 0) {
    changePlasticCardPin();
    return;
  }
  if (!REQUIRE_NOLM(NCCchangePIN)) return;
  fillFields();
  int result = nolm.NCCchangePIN(currentReaderName, passwordField, newValueField);
  wipeFields();
  finish(result);
}

}  // namespace

QELT_EXPORT(ChangePassword) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(changeCardKeyPassword);
}

QELT_EXPORT(ChangePasswordFile) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(changeKeyFilePassword);
}

QELT_EXPORT(ChangePin) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(changePin);
}
