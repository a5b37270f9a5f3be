#include "dialog_box.h"

#include "host_context.h"

INT_PTR runDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  HRSRC resource = FindResourceExA(moduleInstance, MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                                   MAKEINTRESOURCEA(templateId),
                                   MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  if (!resource)
    resource = FindResourceA(moduleInstance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = resource ? LoadResource(moduleInstance, resource) : nullptr;
  auto* dialog = loaded ? static_cast<LPCDLGTEMPLATEA>(LockResource(loaded)) : nullptr;
  if (!dialog) return -1;
  return DialogBoxIndirectParamA(moduleInstance, dialog, owner, procedure, parameter);
}
