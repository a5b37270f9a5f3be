#include "nolm_library.h"

#include <windows.h>

#include <cwchar>

#include "code_pages.h"
#include "library_loading_win32.h"
#include "notices.h"
#include "platform.h"
#include "text_1251.h"
#include "trace.h"

NolmFunctions nolm = {};
int lastResultCode = 0;
char libraryMessageText[kTextBufferSize] = "";
char currentReaderName[kTextBufferSize] = "";
int loadError = 0;

namespace {

enum NolmDll { kNolm32, kNolmMsg, kTavrikon, kWembra, kPlisk, kNolmCC, kDllCount };

const char* const kDllNames[kDllCount] = {"nolm32.dll", "nolmmsg.dll", "tavrikon.dll",
                                           "wembra.dll", "Plisk.dll",   "nolmcc.dll"};

HMODULE dllHandles[kDllCount] = {};

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

bool loadDll(const wchar_t* directory, NolmDll dll) {
  wchar_t path[kTextBufferSize];
  wchar_t name[32];
  platform::toWide(kDllNames[dll], platform::CodePage::kWindows1251, name, 32);
  int length = _snwprintf(path, kTextBufferSize - 1, L"%ls%ls", directory, name);
  if (length < 0) {
    notifyError(kCodeTooLong, TextId::library_path_too_long, name, kTextBufferSize - 1);
    return false;
  }
  path[length] = L'\0';
  dllHandles[dll] = static_cast<HMODULE>(platform::loadLibraryFrom(path));
  if (dllHandles[dll]) {
    platform::traceLoadedLibrary(dllHandles[dll]);
    return true;
  }
  loadError = static_cast<int>(GetLastError());
  notifyError(loadError, TextId::library_not_loaded, path, loadError);
  return false;
}

// The test kit's simulator says what it is in its version resource; a
// script can learn it was loaded instead of the library (LastError 9008).
bool isSimulator(HMODULE module) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = loaded ? static_cast<const wchar_t*>(LockResource(loaded)) : nullptr;
  if (!data) return false;
  const std::size_t units = SizeofResource(module, found) / sizeof(wchar_t);
  static const wchar_t kMark[] = L"QeltNSIS test kit simulator";
  const std::size_t markUnits = sizeof kMark / sizeof *kMark - 1;
  for (std::size_t i = 0; i + markUnits <= units; ++i)
    if (std::wmemcmp(data + i, kMark, markUnits) == 0) return true;
  return false;
}

void resolveFunctions(NolmDll dll) {
  for (const Resolution& r : kResolutions)
    if (r.dll == dll) *r.slot = reinterpret_cast<void*>(GetProcAddress(dllHandles[dll], r.name));
}

}  // namespace

bool loadNolmLibrary(const wchar_t* directory) {
  // A second InitNolm (a retry with another directory, say) starts afresh, so
  // one FreeNolm always releases everything.
  freeNolmLibrary();
  if (!loadDll(directory, kNolm32)) return false;
  resolveFunctions(kNolm32);
  if (!nolm.KMGetFuncs) {
    notifyError(kCodeNoFunction, TextId::function_kmgetfuncs_missing);
    return false;
  }
  if (!loadDll(directory, kNolmMsg)) return false;
  resolveFunctions(kNolmMsg);
  if (!loadDll(directory, kTavrikon) || !loadDll(directory, kWembra) ||
      !loadDll(directory, kPlisk) || !loadDll(directory, kNolmCC))
    return false;
  resolveFunctions(kNolmCC);
  if (isSimulator(dllHandles[kNolm32]))
    notifyText(NoticeKind::kNote, kCodeSimulator, kDefaultCaption, TextId::simulator_loaded);
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
  wchar_t wideName[64];
  wideFrom1251(name, wideName, 64);
  notifyError(kCodeNoFunction, TextId::function_unavailable, wideName);
  return false;
}
