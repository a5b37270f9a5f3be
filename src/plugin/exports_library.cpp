// InitNolm, FreeNolm, OpenNolm, CloseNolm: loading and opening the library.
#include <cstring>
#include <cwchar>

#include "export_frame.h"
#include "host_text.h"
#include "key_generation.h"
#include "library_session.h"
#include "nolm_library.h"
#include "render.h"
#include "scratch_text.h"

namespace {

void initNolm(HWND) {
  writeLibraryText(VAR_0, "");
  // Longer directories are refused by the loading itself, with its message.
  WideScratch directory;
  if (readWide(VAR_R0, directory.text, WideScratch::kSize) != TextRead::kOk) return;
  // "C:\Nolm" means the folder, not files named "C:\Nolmnolm32.dll". (A
  // directory with no room left for it is refused by the loading anyway.)
  std::size_t length = std::wcslen(directory.text);
  if (length > 0 && length + 1 < WideScratch::kSize && directory.text[length - 1] != L'\\' &&
      directory.text[length - 1] != L'/') {
    directory.text[length] = L'\\';
    directory.text[length + 1] = L'\0';
  }
  if (loadNolmLibrary(directory.text)) writeLibraryText(VAR_0, "1");
}

void freeNolm(HWND) {
  freeNolmLibrary();
  forgetKeyRequest();
}

void openNolmExport(HWND) {
  writeLibraryText(VAR_0, "");
  writeLibraryText(VAR_1, "");
  int version = 0;
  if (!checkNolmDatabase(&version)) return;
  wchar_t text[kTextBufferSize];
  renderText(text, kTextBufferSize, TextId::library_version, version);
  writeDisplayText(VAR_1, text);
  // The data directory is taken only once the database is sound; an empty
  // stack opens the directory taken before.
  static char dataDirectory[Scratch::kSize] = "";
  Scratch popped;
  TextRead read = popLibraryText(popped.text, Scratch::kSize);
  if (read == TextRead::kRefused) return;
  if (read == TextRead::kOk) std::memcpy(dataDirectory, popped.text, sizeof dataDirectory);
  if (openNolm(dataDirectory)) writeLibraryText(VAR_0, "1");
}

void closeNolmExport(HWND) { closeNolm(); }

}  // namespace

QELT_PLUGIN_EXPORT(InitNolm, initNolm, succeedsWhen(VAR_0, "1"))
QELT_PLUGIN_EXPORT(FreeNolm, freeNolm, kClearsFlag)
QELT_PLUGIN_EXPORT(OpenNolm, openNolmExport, succeedsWhen(VAR_0, "1"))
QELT_PLUGIN_EXPORT(CloseNolm, closeNolmExport, succeedsWhen(kLastErrorCode, "0"))
