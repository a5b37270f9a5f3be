// Walking the library's certificates.
#include "certificate_listing.h"

#include <cstring>

#include "format_text.h"
#include "library_errors.h"
#include "nolm_library.h"
#include "render.h"
#include "text_1251.h"
#include "trace.h"

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

}  // namespace

bool firstCertificateLine(const char* filterFirst, const char* filterSecond, char* line,
                          std::size_t capacity) {
  if (!REQUIRE_NOLM(NolmCrtFF)) return false;
  lastResultCode = nolm.NolmCrtFF(certificateRecord, 1, "", 0);
  QELT_TRACE("NolmCrtFF(record, 1, \"\", 0) = %d, id \"%.8s\"", lastResultCode, recordId());
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return false;
  }
  formatText(line, capacity, "%.8s - %.*s ", recordId(), recordNameLength(), recordName());
  formatText(idFilter, sizeof idFilter, "%.2s%.4s", filterFirst ? filterFirst : "",
             filterSecond ? filterSecond : "");
  return true;
}

bool nextCertificateLine(const char* excludedId, wchar_t* line, std::size_t capacity) {
  if (!REQUIRE_NOLM(NolmCrtFN)) return false;
  lastResultCode = nolm.NolmCrtFN(certificateRecord, 0);
  QELT_TRACE("NolmCrtFN(record, 0) = %d, id \"%.8s\"", lastResultCode, recordId());
  if (lastResultCode != 0) return false;
  line[0] = L'\0';
  char prefix[kIdLength + 1];
  formatText(prefix, sizeof prefix, "%.6s", recordId());
  if (std::strcmp(prefix, idFilter) == 0) {
    char id[kIdLength + 1];
    formatText(id, sizeof id, "%.8s", recordId());
    if ((!excludedId || std::strcmp(id, excludedId) != 0) && recordId()[3] != ' ') {
      PackedDate end = recordEndDate();
      char text[kIdLength + 3 + kNameLength + 1];
      formatText(text, sizeof text, "%s - %.*s", id, recordNameLength(), recordName());
      wchar_t head[sizeof text];
      wideFrom1251(text, head, sizeof text);
      wchar_t date[64];
      renderText(date, 64, TextId::certificate_valid_until, end.day, end.month, end.year);
      formatWide(line, capacity, L"%ls %ls ", head, date);
    }
  }
  return true;
}
