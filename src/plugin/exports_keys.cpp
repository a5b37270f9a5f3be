// LoadKey, LoadKeyCC, KeyGenCC, KeyGenFile: loading and generating keys.
#include <cwchar>

#include "code_pages.h"
#include "export_frame.h"
#include "host_context.h"
#include "host_text.h"
#include "key_generation.h"
#include "key_loading.h"
#include "notices.h"
#include "scratch_text.h"

namespace {

bool read(int index, Scratch& text) {
  return readLibraryText(index, text.text, Scratch::kSize) == TextRead::kOk;
}

void loadKey(HWND) {
  Scratch password, directory, file;
  if (!read(VAR_2, password) || !read(VAR_3, directory) || !read(VAR_4, file)) return;
  if (loadKeyFromFolder(directory.text, file.text, password.text)) writeLibraryText(VAR_R0, "");
}

void loadKeyCC(HWND) {
  Scratch password, keyName;
  if (!read(VAR_2, password) || !read(VAR_3, keyName)) return;
  if (loadKeyFromCard(keyName.text, password.text)) writeLibraryText(VAR_R0, "");
}

// The request file: the directory text of $3, the first 8 characters of the
// key name, ".req". False when it would not fit in $3.
bool requestFilePath(const wchar_t* directory, const char* keyName, wchar_t* path,
                     std::size_t capacity) {
  wchar_t name[9];
  char firstEight[9];
  std::size_t i = 0;
  for (; i < 8 && keyName[i]; ++i) firstEight[i] = keyName[i];
  firstEight[i] = '\0';
  platform::toWide(firstEight, platform::CodePage::kWindows1251, name, 9);
  int length = _snwprintf(path, capacity - 1, L"%ls%ls.req", directory, name);
  if (length < 0) return false;
  path[length] = L'\0';
  return static_cast<std::size_t>(length) < static_cast<std::size_t>(hostContext.stringSize);
}

void keyGenCC(HWND) {
  writeLibraryText(VAR_0, "");
  Scratch keyName, password;
  WideScratch directory;
  if (!read(VAR_1, keyName) || !read(VAR_2, password) ||
      readWide(VAR_3, directory.text, WideScratch::kSize) != TextRead::kOk)
    return;
  if (!prepareCardKeyGeneration(keyName.text)) return;
  // Refuse before generating: a key whose request cannot be stored is lost.
  WideScratch path;
  if (!requestFilePath(directory.text, keyName.text, path.text, WideScratch::kSize)) {
    notifyError(kCodeTooLong, TextId::request_path_too_long);
    return;
  }
  if (!generateKeyOnCard(password.text)) return;
  // The key exists now: "1" even when its request cannot be written, so a
  // script does not generate a second key; LastError then says the request
  // is unsaved, and SaveKeyRequest writes it elsewhere.
  writeSystemText(VAR_3, path.text);
  writeKeyRequest(path.text);
  writeLibraryText(VAR_0, "1");
}

void keyGenFile(HWND) {
  writeLibraryText(VAR_0, "");
  Scratch keyName, password, directory;
  if (!read(VAR_1, keyName) || !read(VAR_2, password) || !read(VAR_3, directory)) return;
  if (generateKeyIntoFolder(keyName.text, directory.text, password.text))
    writeLibraryText(VAR_0, "1");
}

}  // namespace

QELT_SECRET_EXPORT(LoadKey, loadKey, kSecretIn2, succeedsWhen(VAR_R0, ""))
QELT_SECRET_EXPORT(LoadKeyCC, loadKeyCC, kSecretIn2, succeedsWhen(VAR_R0, ""))
QELT_SECRET_EXPORT(KeyGenCC, keyGenCC, kSecretIn2, succeedsWhen(VAR_0, "1"))
QELT_SECRET_EXPORT(KeyGenFile, keyGenFile, kSecretIn2, succeedsWhen(VAR_0, "1"))
