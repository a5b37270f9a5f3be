#include "nolm_library.h"

#include <windows.h>

#include "format_text.h"
#include <cstring>

#include "message_boxes.h"

NolmFunctions nolm = {};
int lastResultCode = 0;
char messageBuffer[kTextBufferSize] = "";
char libraryMessageText[kTextBufferSize] = "";
char currentReaderName[kTextBufferSize] = "";
int loadError = 0;

namespace {

enum NolmDll { kNolm32, kNolmMsg, kTavrikon, kWembra, kPlisk, kNolmCC, kDllCount };

const char* const kDllNames[kDllCount] = {"nolm32.dll", "nolmmsg.dll", "tavrikon.dll",
                                           "wembra.dll", "Plisk.dll",   "nolmcc.dll"};

HMODULE dllHandles[kDllCount] = {};
char pathBuffer[kTextBufferSize] = "";

#define NOLM_SYMBOL(dll, name) \
  { dll, #name, reinterpret_cast<void**>(&nolm.name) }

struct Resolution {
  NolmDll dll;
  const char* name;
  void** slot;
};

// In the order in which they are resolved.
const Resolution kResolutions[] = {
    NOLM_SYMBOL(kNolm32, NolmSetBuf),      NOLM_SYMBOL(kNolm32, NolmGetBuf),
    NOLM_SYMBOL(kNolm32, NolmGetVer),      NOLM_SYMBOL(kNolm32, NolmCheckDB),
    NOLM_SYMBOL(kNolm32, NolmOpen),        NOLM_SYMBOL(kNolm32, NolmClose),
    NOLM_SYMBOL(kNolm32, NolmLoadSecKey),  NOLM_SYMBOL(kNolm32, NolmDelSecKey),
    NOLM_SYMBOL(kNolm32, NolmSecKeyUpdate), NOLM_SYMBOL(kNolm32, NolmDaysLeft),
    NOLM_SYMBOL(kNolm32, NolmDaysLeftA),   NOLM_SYMBOL(kNolm32, NolmEnsign),
    NOLM_SYMBOL(kNolm32, NolmCheck),       NOLM_SYMBOL(kNolm32, NolmRcpName),
    NOLM_SYMBOL(kNolm32, NolmMail),        NOLM_SYMBOL(kNolm32, NolmSetPmode),
    NOLM_SYMBOL(kNolm32, NolmSetFmode),    NOLM_SYMBOL(kNolm32, NolmCrtFF),
    NOLM_SYMBOL(kNolm32, NolmCrtFN),       NOLM_SYMBOL(kNolm32, KeyGenX),
    NOLM_SYMBOL(kNolm32, NolmChangePsw),   NOLM_SYMBOL(kNolm32, KMGetFuncs),
    NOLM_SYMBOL(kNolmMsg, NolmGetMsgAux),  NOLM_SYMBOL(kNolmMsg, NolmCheckGetMsg),
    NOLM_SYMBOL(kNolmMsg, NolmCrtFFAux),   NOLM_SYMBOL(kNolmMsg, NolmCrtFNAux),
    NOLM_SYMBOL(kNolmMsg, NolmCrtInfo),    NOLM_SYMBOL(kNolmCC, NolmLoadSecKeyCC),
    NOLM_SYMBOL(kNolmCC, NolmFindFirstRdr), NOLM_SYMBOL(kNolmCC, NolmFindNextRdr),
    NOLM_SYMBOL(kNolmCC, NolmChangePswCC), NOLM_SYMBOL(kNolmCC, NolmSecKeyInfoCC),
    NOLM_SYMBOL(kNolmCC, KeyGenXCC),       NOLM_SYMBOL(kNolmCC, NCCchangePIN),
    NOLM_SYMBOL(kNolmCC, NCCgetFileList),  NOLM_SYMBOL(kNolmCC, NCCgetRnd),
};

bool loadDll(const char* directory, NolmDll dll) {
  if (!formatText(pathBuffer, sizeof pathBuffer, "%s%s", directory, kDllNames[dll])) {
    formatText(messageBuffer, sizeof messageBuffer,
                  "Помилка завантаження бібліотеки %s.\nШлях до неї довший за %d символи.",
                  kDllNames[dll], kTextBufferSize - 1);
    pathBuffer[0] = '\0';
    showError(messageBuffer);
    return false;
  }
  dllHandles[dll] = LoadLibraryA(pathBuffer);
  if (dllHandles[dll]) return true;
  loadError = static_cast<int>(GetLastError());
  formatText(messageBuffer, sizeof messageBuffer,
                "Помилка завантаження бібліотеки %s.\nКод помилки: %d", pathBuffer, loadError);
  showError(messageBuffer);
  return false;
}

void resolveFunctions(NolmDll dll) {
  for (const Resolution& r : kResolutions)
    if (r.dll == dll) *r.slot = reinterpret_cast<void*>(GetProcAddress(dllHandles[dll], r.name));
}

}  // namespace

bool loadNolmLibrary(const char* directory) {
  // A second InitNolm (a retry with another directory, say) starts afresh, so
  // one FreeNolm always releases everything.
  freeNolmLibrary();
  if (!loadDll(directory, kNolm32)) return false;
  resolveFunctions(kNolm32);
  if (!nolm.KMGetFuncs) {
    formatText(messageBuffer, sizeof messageBuffer, "Помилка завантаження функції KMGetFuncs.");
    showError(messageBuffer);
    return false;
  }
  if (!loadDll(directory, kNolmMsg)) return false;
  resolveFunctions(kNolmMsg);
  if (!loadDll(directory, kTavrikon) || !loadDll(directory, kWembra) ||
      !loadDll(directory, kPlisk) || !loadDll(directory, kNolmCC))
    return false;
  resolveFunctions(kNolmCC);
  return true;
}

void freeNolmLibrary() {
  // The library's own order of release.
  const NolmDll order[kDllCount] = {kNolm32, kNolmMsg, kPlisk, kWembra, kNolmCC, kTavrikon};
  for (NolmDll dll : order) {
    if (dllHandles[dll]) FreeLibrary(dllHandles[dll]);
    dllHandles[dll] = nullptr;
  }
  // Nothing may call into a released DLL.
  nolm = NolmFunctions{};
}

bool requireFunction(const void* fn, const char* name) {
  if (fn) return true;
  formatText(messageBuffer, sizeof messageBuffer,
                "Функція бібліотеки %s недоступна.\nБібліотеку не завантажено, або в ній немає цієї функції.", name);
  showError(messageBuffer);
  return false;
}
