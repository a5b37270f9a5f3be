// CheckToken, ReadFolderKey, ReadTokenKey, Test: where the secret key lies,
// and which key the user takes.
#include <cwchar>

#include "card_media.h"
#include "code_pages.h"
#include "export_frame.h"
#include "format_text.h"
#include "host_text.h"
#include "key_folder.h"
#include "key_medium.h"
#include "key_name_outputs.h"
#include "last_failure.h"
#include "library_errors.h"
#include "list_dialog.h"
#include "nolm_library.h"
#include "notices.h"
#include "scratch_text.h"

namespace {

using platform::CodePage;

// Entries for a list dialog, converted for display.
struct ListEntries {
  static constexpr int kMost = kMostReaders;  // more keys in a folder are not offered
  wchar_t text[kMost][kTextBufferSize / 4];
  const wchar_t* pointers[kMost];
  int count = 0;

  void addLibraryText(const char* entry) {
    if (count == kMost) return;
    platform::toWide(entry, CodePage::kWindows1251, text[count], kTextBufferSize / 4);
    pointers[count] = text[count];
    ++count;
  }
  void addWide(const wchar_t* entry) {
    if (count == kMost) return;
    _snwprintf(text[count], kTextBufferSize / 4 - 1, L"%ls", entry);
    text[count][kTextBufferSize / 4 - 1] = L'\0';
    pointers[count] = text[count];
    ++count;
  }
};

// Shared by the calls that fill a list; too large for the installer's stack
// and only ever used by one call at a time.
ListEntries listEntries;

int choose(HWND parent, ListDialog dialog) {
  int chosen = chooseFromList(parent, dialog, listEntries.pointers, listEntries.count);
  if (chosen < 0) recordCancel();
  return chosen;
}

void setDecimal(int index, int value) {
  char text[16];
  formatText(text, sizeof text, "%d", value);
  writeLibraryText(index, text);
}

void checkToken(HWND parent) {
  if (!REQUIRE_NOLM(NolmFindFirstRdr) || !REQUIRE_NOLM(NolmFindNextRdr)) {
    writeLibraryText(VAR_0, "0");
    return;
  }
  collectReaders();
  const int count = readerCount();
  if (count > 1) {
    listEntries.count = 0;
    for (int i = count - 1; i >= 0; --i) listEntries.addLibraryText(readerAt(i));
    int chosen = choose(parent, ListDialog::kDeviceChoice);
    if (chosen == kListCancelled) {
      writeLibraryText(VAR_0, "0");
    } else if (chosen >= 0) {
      const char* reader = readerAt(count - 1 - chosen);
      writeLibraryText(VAR_0, "1");
      writeLibraryText(VAR_1, reader);
      chooseReader(reader);
    }
    return;
  }
  setDecimal(VAR_0, count);
  if (count == 1) {
    writeLibraryText(VAR_1, readerAt(0));
    chooseReader(readerAt(0));
  }
}

// Lists that take a single candidate without asking: none writes "-1" to $0,
// one is taken at once, more are offered in the key choice dialog.
template <typename Name>
void offerKeys(HWND parent, const Name* const* names, int count) {
  if (count == 0) {
    writeLibraryText(VAR_0, "-1");
    return;
  }
  int chosen = count == 1 ? 0 : choose(parent, ListDialog::kKeyChoice);
  if (chosen >= 0) writeKeyNameOutputs(names[chosen]);
}

void offerPlasticCardKeys(HWND parent) {
  static KeyNameText names[kMostPlasticCardKeys];
  int count = 0;
  listEntries.count = 0;
  if (!listPlasticCardKeys(names, &count)) {
    // The user has seen why; the dialog opens empty and is left with Cancel,
    // which keeps the card's failure for LastError. Nobody sees a quiet one.
    if (!isQuiet()) chooseFromList(parent, ListDialog::kKeyChoice, nullptr, 0);
    return;
  }
  const char* pointers[kMostPlasticCardKeys];
  for (int i = 0; i < count; ++i) {
    pointers[i] = names[i];
    listEntries.addLibraryText(names[i]);
  }
  offerKeys(parent, pointers, count);
}

void addFolderKey(const wchar_t* name, void*) { listEntries.addWide(name); }

// ReadFolderKey and ReadTokenKey begin alike: $0 emptied, the marker popped,
// and "PLC:" offers the plastic card's keys. True when the caller goes on
// with its own medium.
bool beginKeyChoice(HWND parent) {
  writeLibraryText(VAR_0, "");
  if (!popKeyMedium()) return false;
  if (!keyMediumIsPlasticCard()) return true;
  offerPlasticCardKeys(parent);
  return false;
}

void readFolderKey(HWND parent) {
  if (!beginKeyChoice(parent)) return;
  listEntries.count = 0;
  if (keyMediumIsSearchable()) listKeyFolder(keyMedium(), addFolderKey, nullptr);
  offerKeys(parent, listEntries.pointers, listEntries.count);
}

void listCardKeyTable() {
  listEntries.count = 0;
  for (int i = usableCardKeyCount(cardKeyTable) - 1; i >= 0; --i) {
    char entry[9];
    formatText(entry, sizeof entry, "%.8s", cardKeyTable.entries[i]);
    listEntries.addLibraryText(entry);
  }
}

// The card key table's entry shown at list place index.
void writeCardKeyOutputs(int chosen) {
  char entry[9];
  int count = usableCardKeyCount(cardKeyTable);
  formatText(entry, sizeof entry, "%.8s", cardKeyTable.entries[count - 1 - chosen]);
  writeKeyNameOutputs(entry);
}

void readTokenKey(HWND parent) {
  if (!beginKeyChoice(parent)) return;
  if (!REQUIRE_NOLM(NCCgetFileList)) return;
  int code = readCardKeyTable();
  if (code != 0) {
    fetchLibraryText(code);
    notifyWide(NoticeKind::kSilentFailure, code, libraryMessageShown);
    writeLibraryText(VAR_0, "");
    setDecimal(VAR_1, code);
    return;
  }
  int count = usableCardKeyCount(cardKeyTable);
  if (count > 1) {
    listCardKeyTable();
    int chosen = choose(parent, ListDialog::kKeyChoice);
    if (chosen >= 0) writeCardKeyOutputs(chosen);
    return;
  }
  char entry[9] = "";
  if (count == 1) formatText(entry, sizeof entry, "%.8s", cardKeyTable.entries[0]);
  writeKeyNameOutputs(entry);
  setDecimal(VAR_3, count);
}

// Shows the card key table of the last ReadTokenKey again.
void test(HWND parent) {
  listCardKeyTable();
  int chosen = choose(parent, ListDialog::kKeyChoice);
  if (chosen >= 0) writeCardKeyOutputs(chosen);
}

}  // namespace

QELT_PLUGIN_EXPORT(CheckToken, checkToken, succeedsWhen(VAR_0, "1"))
QELT_PLUGIN_EXPORT(ReadFolderKey, readFolderKey, failsWhen(VAR_2, ""))
QELT_PLUGIN_EXPORT(ReadTokenKey, readTokenKey, failsWhen(VAR_2, ""))
QELT_PLUGIN_EXPORT(Test, test, failsWhen(VAR_2, ""))
