// GetCertFirstInfo, GetCertNextInfo: walking the library's certificates.
#include "format_text.h"
#include <cstring>

#include "export_guard.h"
#include "host_context.h"
#include "library_errors.h"
#include "message_boxes.h"
#include "nolm_library.h"

namespace {

// The fields of the library's 80-byte certificate record we read.
constexpr int kIdOffset = 12;
constexpr int kIdLength = 8;
constexpr int kNameOffset = 20;
constexpr int kNameLength = 42;
constexpr int kDateOffset = 62;

unsigned char certificateRecord[kCertificateRecordSize];
char idFilter[8] = "";

const char* recordId() { return reinterpret_cast<const char*>(certificateRecord + kIdOffset); }
const char* recordName() { return reinterpret_cast<const char*>(certificateRecord + kNameOffset); }
// The name need not be terminated inside its field.
int recordNameLength() { return static_cast<int>(strnlen(recordName(), kNameLength)); }

struct PackedDate {
  int day, month, year;
};

PackedDate recordEndDate() {
  unsigned word = certificateRecord[kDateOffset] | (certificateRecord[kDateOffset + 1] << 8);
  return {static_cast<int>(word & 0x1F), static_cast<int>((word >> 5) & 0x0F),
          static_cast<int>((word >> 9) + 1980)};
}

void listFirst() {
  if (!REQUIRE_NOLM(NolmCrtFF)) return;
  lastResultCode = nolm.NolmCrtFF(certificateRecord, 1, "", 0);
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return;
  }
  formatText(messageBuffer, sizeof messageBuffer, "%.8s - %.*s ", recordId(),
                recordNameLength(), recordName());
  pushStackString(messageBuffer);
  const char* first = getVariable(VAR_R1);
  const char* second = getVariable(VAR_R2);
  formatText(idFilter, sizeof idFilter, "%.2s%.4s", first ? first : "", second ? second : "");
}

void listNext() {
  if (!nolm.NolmCrtFN) {
    REQUIRE_NOLM(NolmCrtFN);
    pushStackString("end");  // ends the script's loop
    return;
  }
  lastResultCode = nolm.NolmCrtFN(certificateRecord, 0);
  if (lastResultCode != 0) {
    pushStackString("end");
    return;
  }
  messageBuffer[0] = '\0';
  char prefix[kIdLength + 1];
  formatText(prefix, sizeof prefix, "%.6s", recordId());
  if (std::strcmp(prefix, idFilter) == 0) {
    char id[kIdLength + 1];
    formatText(id, sizeof id, "%.8s", recordId());
    const char* excluded = getVariable(VAR_R0);
    if ((!excluded || std::strcmp(id, excluded) != 0) && recordId()[3] != ' ') {
      PackedDate end = recordEndDate();
      formatText(messageBuffer, sizeof messageBuffer, "%s - %.*s (діє до %d/%d/%d) ", id,
                    recordNameLength(), recordName(), end.day, end.month, end.year);
    }
  }
  pushStackString(messageBuffer);
}

}  // namespace

QELT_EXPORT(GetCertFirstInfo) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(listFirst);
}

QELT_EXPORT(GetCertNextInfo) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(listNext);
}
