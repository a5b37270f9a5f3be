// CheckTokenAvtor, GetAvtorCertList, ReadTokenAvtorKey, ParseAvtorKey: the
// Secure Token road. Nothing here shows a message: every token failure only
// means fewer tokens or certificates.
//
// Owner names reach an ANSI installer in its code page, and a Unicode one
// straight from the certificate's UTF-8, so any name is listed exactly.
#include "certificate_entry.h"
#include "code_pages.h"
#include "export_frame.h"
#include "format_text.h"
#include "host_context.h"
#include "host_text.h"
#include "last_failure.h"
#include "list_dialog.h"
#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "token_certificates.h"

namespace {

constexpr int kListedPlaces = 4;
// A popped entry longer than this is refused, not cut: a cut entry would
// split into a wrong name and key number.
constexpr std::size_t kEntryCapacity = 1024;

using EntryText = HostChar[kCertificateEntryCapacity];

void hostEntry(const CertificateEntry& entry, EntryText& out) {
#ifdef QELT_UNICODE
  platform::toWide(entry.utf8, platform::CodePage::kUtf8, out, kCertificateEntryCapacity);
#else
  formatText(out, kCertificateEntryCapacity, "%s", entry.text);
#endif
}

int countTokens() {
  try {
    Pkcs11Module module(kTokenModuleName);
    CK_ULONG count = 0;
    module.GetSlotList(nullptr, &count);
    return static_cast<int>(count);
  } catch (const DsException&) {
    return 0;  // no module, no start, no slot list: no token
  }
}

void checkTokenAvtor(HWND) {
  writeLibraryText(VAR_0, "0");
  char text[16];
  formatText(text, sizeof text, "%d", countTokens());
  writeLibraryText(VAR_0, text);
}

void getAvtorCertList(HWND) {
  TokenCertificateList list = enumerateTokenCertificates();
  int pushed = 0;
  for (int place = 0; place < kListedPlaces; ++place) {
    if (list[place].empty()) continue;
    EntryText entry;
    hostEntry(list[place], entry);
    pushStackString(entry);
    ++pushed;
  }
  char count[16];
  formatText(count, sizeof count, "%d ", pushed);
  pushLibraryText(count);
}

// "Owner name (0a1b2c3d)": $0 the owner name and its blank, $1 the key number.
void writeEntryOutputs(const HostChar* entry) {
  HostChar part[kCertificateEntryCapacity];
  entryNamePart(entry, part, kCertificateEntryCapacity);
  setVariable(VAR_0, part);
  entryKeyNumberPart(entry, part, kCertificateEntryCapacity);
  setVariable(VAR_1, part);
}

void readTokenAvtorKey(HWND parent) {
  writeLibraryText(VAR_0, "");
  TokenCertificateList list = enumerateTokenCertificates();
  EntryText entries[kListedPlaces];
  wchar_t shown[kListedPlaces][kCertificateEntryCapacity];
  const wchar_t* pointers[kListedPlaces];
  int offered = 0;
  for (const auto& certificate : list) {
    if (offered == kListedPlaces) break;
    if (certificate.empty()) continue;
    hostEntry(certificate, entries[offered]);
    platform::toWide(certificate.utf8, platform::CodePage::kUtf8, shown[offered],
                     kCertificateEntryCapacity);
    pointers[offered] = shown[offered];
    ++offered;
  }
  int chosen = chooseFromList(parent, ListDialog::kKeyChoice, pointers, offered);
  if (chosen >= 0)
    writeEntryOutputs(entries[chosen]);
  else
    recordCancel();
}

// The entry popped last; an empty stack parses it again.
HostChar lastEntry[kEntryCapacity] = {};

void parseAvtorKey(HWND) {
  writeLibraryText(VAR_R0, "");
  const HostChar* top = peekStackString();
  bool whole = !top || hostTextLength(top, kEntryCapacity) < kEntryCapacity;
  popStackString(lastEntry, kEntryCapacity);
  int selector = popStackInteger();
  if (!whole) {
    lastEntry[0] = 0;
    return;
  }
  HostChar part[kEntryCapacity];
  if (selector == 0)
    entryKeyNumberPart(lastEntry, part, kEntryCapacity);
  else
    entryNamePart(lastEntry, part, kEntryCapacity);
  setVariable(VAR_R0, part);
}

}  // namespace

QELT_PLUGIN_EXPORT(CheckTokenAvtor, checkTokenAvtor, failsWhen(VAR_0, "0"))
QELT_PLUGIN_EXPORT(GetAvtorCertList, getAvtorCertList, failsWhen(kPushedLast, "0"))
QELT_PLUGIN_EXPORT(ReadTokenAvtorKey, readTokenAvtorKey, failsWhen(VAR_0, ""))
QELT_PLUGIN_EXPORT(ParseAvtorKey, parseAvtorKey, failsWhen(VAR_R0, ""))
