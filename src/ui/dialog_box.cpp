#include "dialog_box.h"

#include "trace.h"

namespace {

HINSTANCE resourceModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&resourceModule), &module);
  return module;
}

// The caption of a dialog template (DIALOG or DIALOGEX): after the fixed
// header, the menu and the window class (each none, an ordinal or a text).
const wchar_t* templateCaption(LPCDLGTEMPLATEW dialog) {
  const auto* at = reinterpret_cast<const WORD*>(dialog);
  at += at[1] == 0xFFFF ? 13 : 9;
  for (int skipped = 0; skipped < 2; ++skipped) {
    if (*at == 0xFFFF)
      at += 2;
    else
      while (*at++) {
      }
  }
  return reinterpret_cast<const wchar_t*>(at);
}

}  // namespace

INT_PTR runDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  HINSTANCE instance = resourceModule();
  HRSRC resource = FindResourceExW(instance, MAKEINTRESOURCEW(5) /* RT_DIALOG */,
                                   MAKEINTRESOURCEW(templateId),
                                   MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  if (!resource)
    resource = FindResourceW(instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  auto* dialog = loaded ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
  if (!dialog) return -1;
  QELT_TRACE_WITH(templateCaption(dialog), "dialog shown: ");
  // A Unicode dialog: its controls take and give UTF-16 text.
  return DialogBoxIndirectParamW(instance, dialog, owner, procedure, parameter);
}
