#include <cinttypes>

#include "report_output.h"

namespace {

// Length of the valid UTF-8 sequence at p (0 if there is none).
size_t utf8SequenceLength(const unsigned char* p, size_t available) {
  const unsigned char b = p[0];
  size_t length;
  uint32_t minimum;
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) length = 2, minimum = 0x80;
  else if ((b & 0xF0) == 0xE0) length = 3, minimum = 0x800;
  else if ((b & 0xF8) == 0xF0) length = 4, minimum = 0x10000;
  else return 0;
  if (length > available) return 0;
  uint32_t code = b & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = code << 6 | (p[i] & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// A JSON string; bytes that are not UTF-8 are written as the code points of
// the same value.
void putString(const std::string& text, std::FILE* out) {
  std::fputc('"', out);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t rest = text.size();
  while (rest > 0) {
    const unsigned char b = *p;
    const size_t length = utf8SequenceLength(p, rest);
    if (b == '"' || b == '\\') {
      std::fputc('\\', out);
      std::fputc(b, out);
    } else if (b < 0x20 || length == 0) {
      std::fprintf(out, "\\u%04x", b);
    } else {
      std::fwrite(p, 1, length, out);
      p += length;
      rest -= length;
      continue;
    }
    ++p;
    --rest;
  }
  std::fputc('"', out);
}

void putHex(const std::string& bytes, std::FILE* out) {
  std::fputc('"', out);
  for (unsigned char b : bytes) std::fprintf(out, "%02x", b);
  std::fputc('"', out);
}

class Object {
 public:
  explicit Object(std::FILE* out) : out_(out) { std::fputc('{', out_); }
  ~Object() { std::fputs("}\n", out_); }

  void key(const char* name) {
    if (!first_) std::fputs(", ", out_);
    first_ = false;
    std::fprintf(out_, "\"%s\": ", name);
  }
  void null() { std::fputs("null", out_); }
  void text(const char* name, const std::string& value) {
    key(name);
    putString(value, out_);
  }
  void hex(const char* name, const std::optional<std::string>& value) {
    key(name);
    value ? putHex(*value, out_) : null();
  }
  void dotted(const char* name, const std::optional<std::string>& value) {
    key(name);
    value ? putString(*value, out_) : null();
  }
  void boolean(const char* name, const std::optional<bool>& value) {
    key(name);
    value ? (void)std::fputs(*value ? "true" : "false", out_) : null();
  }
  void integer(const char* name, const std::optional<int64_t>& value) {
    key(name);
    value ? (void)std::fprintf(out_, "%" PRId64, *value) : null();
  }
  void hexList(const char* name, const std::optional<std::vector<std::string>>& items) {
    key(name);
    if (!items) return null();
    std::fputc('[', out_);
    for (size_t i = 0; i < items->size(); ++i) {
      if (i) std::fputs(", ", out_);
      putHex((*items)[i], out_);
    }
    std::fputc(']', out_);
  }

 private:
  std::FILE* out_;
  bool first_ = true;
};

template <typename T>
std::optional<int64_t> wide(const std::optional<T>& value) {
  return value ? std::optional<int64_t>(*value) : std::nullopt;
}

}  // namespace

void printJson(const CertReport& r, std::FILE* out) {
  Object o(out);
  o.text("file", r.file);
  o.boolean("ok", r.ok);
  if (!r.ok) {
    o.integer("code", r.code);
    return;
  }
  o.hex("serial", r.serial);
  o.hex("issuer", r.issuer);
  o.hex("subject", r.subject);
  o.hex("issuer_cn", r.issuerCn);
  o.hex("subject_cn", r.subjectCn);
  o.integer("not_before", r.notBefore);
  o.integer("not_after", r.notAfter);
  o.dotted("public_key_algorithm", r.publicKeyAlgorithm);
  o.dotted("signature_algorithm", r.signatureAlgorithm);
  o.integer("key_usage", wide(r.keyUsage));
  o.boolean("is_ca", r.isCa);
  o.integer("path_length", wide(r.pathLength));
  o.hex("subject_key_id", r.subjectKeyId);
  o.hex("authority_key_id", r.authorityKeyId);
  o.hexList("crl", r.crl);
  o.hexList("ocsp", r.ocsp);
  o.hex("email", r.email);
  o.boolean("self_issued", r.selfIssued);
}
