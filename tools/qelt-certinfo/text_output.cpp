#include <cinttypes>

#include "report_output.h"

namespace {

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// "YYYY-MM-DD HH:MM:SS UTC" of seconds since 1970, any sign.
void putTime(int64_t seconds, std::FILE* out) {
  const int64_t days = floorDiv(seconds, 86400);
  const int64_t secondOfDay = seconds - days * 86400;
  // Civil date from a day count (proleptic Gregorian calendar).
  const int64_t z = days + 719468;
  const int64_t era = floorDiv(z, 146097);
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2);
  std::fprintf(out, "%04" PRId64 "-%02" PRId64 "-%02" PRId64 " %02d:%02d:%02d UTC (%" PRId64 ")", year, month, day,
               static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
               static_cast<int>(secondOfDay % 60), seconds);
}

void putHex(const std::string& bytes, std::FILE* out) {
  for (size_t i = 0; i < bytes.size(); ++i)
    std::fprintf(out, i ? ":%02x" : "%02x", static_cast<unsigned char>(bytes[i]));
}

// Text as it stands, with control bytes shown as \xNN.
void putText(const std::string& text, std::FILE* out) {
  for (unsigned char c : text) c < 0x20 || c == 0x7F ? (void)std::fprintf(out, "\\x%02x", c) : (void)std::fputc(c, out);
}

void line(const char* label, std::FILE* out) { std::fprintf(out, "  %-22s ", label); }

const char* const kNotAvailable = "(not readable)";

void hexLine(const char* label, const std::optional<std::string>& value, std::FILE* out) {
  line(label, out);
  if (!value) std::fputs(kNotAvailable, out);
  else if (value->empty()) std::fputs("(none)", out);
  else putHex(*value, out);
  std::fputc('\n', out);
}

void textLine(const char* label, const std::optional<std::string>& value, const char* absent, std::FILE* out) {
  line(label, out);
  if (value) putText(*value, out);
  else std::fputs(absent, out);
  std::fputc('\n', out);
}

void timeLine(const char* label, const std::optional<int64_t>& value, std::FILE* out) {
  line(label, out);
  if (value) putTime(*value, out);
  else std::fputs(kNotAvailable, out);
  std::fputc('\n', out);
}

void listLines(const char* label, const std::optional<std::vector<std::string>>& items, std::FILE* out) {
  if (!items || items->empty()) return textLine(label, std::nullopt, items ? "(none)" : kNotAvailable, out);
  for (const std::string& item : *items) textLine(label, item, "", out);
}

}  // namespace

void printText(const CertReport& r, std::FILE* out) {
  std::fprintf(out, "%s\n", r.file.c_str());
  if (!r.ok) {
    std::fprintf(out, "  not a certificate the plug-in can read (code %" PRId32 ")\n", r.code);
    return;
  }
  hexLine("serial number", r.serial, out);
  textLine("issuer CN", r.issuerCn, "(none)", out);
  textLine("subject CN", r.subjectCn, "(none)", out);
  timeLine("not before", r.notBefore, out);
  timeLine("not after", r.notAfter, out);
  textLine("public key algorithm", r.publicKeyAlgorithm, kNotAvailable, out);
  textLine("signature algorithm", r.signatureAlgorithm, kNotAvailable, out);
  line("key usage", out);
  if (r.keyUsage) std::fprintf(out, "0x%02x\n", *r.keyUsage);
  else std::fprintf(out, "%s\n", kNotAvailable);
  line("CA", out);
  std::fprintf(out, "%s\n", !r.isCa ? kNotAvailable : *r.isCa ? "yes" : "no");
  line("path length", out);
  if (!r.pathLength) std::fprintf(out, "%s\n", kNotAvailable);
  else if (*r.pathLength == -1) std::fputs("(no basic constraints)\n", out);
  else if (*r.pathLength == 0x7FFFFFFF) std::fputs("(unlimited)\n", out);
  else std::fprintf(out, "%" PRId32 "\n", *r.pathLength);
  hexLine("subject key id", r.subjectKeyId, out);
  hexLine("authority key id", r.authorityKeyId, out);
  listLines("CRL point", r.crl, out);
  listLines("OCSP", r.ocsp, out);
  textLine("e-mail", r.email, "(none)", out);
  line("self-issued", out);
  std::fprintf(out, "%s\n", !r.selfIssued ? kNotAvailable : *r.selfIssued ? "yes" : "no");
  hexLine("issuer", r.issuer, out);
  hexLine("subject", r.subject, out);
}
