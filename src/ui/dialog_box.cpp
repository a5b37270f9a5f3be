#include "dialog_box.h"

#include "dialog_texts.h"
#include "trace.h"

namespace {

HINSTANCE resourceModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&resourceModule), &module);
  return module;
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
  if (traceSink) {
    wchar_t caption[256];
    dialogCaption(templateId, caption, 256);
    traceEvent(caption, "dialog shown: ");
  }
  // A Unicode dialog: its controls take and give UTF-16 text.
  return DialogBoxIndirectParamW(instance, dialog, owner, procedure, parameter);
}
