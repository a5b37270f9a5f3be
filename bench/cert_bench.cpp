// The token enumeration's work per certificate -- construct from the DER
// value (copying it), read the subject's CN, read the serial number -- with
// our reader, mbedTLS and OpenSSL 3, against a plain copy of the bytes and a
// minimal bounds-checked walk. Run on three real CA certificates (RSA-4096,
// RSA-2048 and P-256 roots from /usr/share/ca-certificates) and on the test
// certificates; prints the ratios and the heap allocations per certificate.
#include <benchmark/benchmark.h>
#include <mbedtls/oid.h>
#include <mbedtls/x509_crt.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "certificate.h"
#include "minimal_walk.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Case {
  std::string name;
  std::vector<Bytes> certificates;
};

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The DER of a PEM certificate file, as it was signed.
Bytes derOfPem(const std::string& path) {
  Bytes der;
  BIO* bio = BIO_new_file(path.c_str(), "r");
  X509* x = bio ? PEM_read_bio_X509(bio, nullptr, nullptr, nullptr) : nullptr;
  unsigned char* out = nullptr;
  const int size = x ? i2d_X509(x, &out) : 0;
  if (size > 0) der.assign(out, out + size);
  OPENSSL_free(out);
  X509_free(x);
  BIO_free(bio);
  if (der.empty()) std::fprintf(stderr, "cannot read %s (install ca-certificates)\n", path.c_str());
  return der;
}

const std::vector<Case>& cases() {
  static const std::vector<Case> all = [] {
    const std::string ca = "/usr/share/ca-certificates/mozilla/";
    std::vector<Case> out = {
        {"RSA-4096", {derOfPem(ca + "ISRG_Root_X1.crt")}},
        {"RSA-2048", {derOfPem(ca + "DigiCert_Global_Root_CA.crt")}},
        {"P-256", {derOfPem(ca + "Amazon_Root_CA_3.crt")}},
        {"test-certs", {}},
    };
    for (const char* name : {"ca-rsa.der", "leaf-ec-utf8.der", "bmp-cn.der", "two-points.der", "v1-2050.der",
                             "v1-1965.der"})
      out.back().certificates.push_back(readFile(std::string(QELT_CERT_DATA_DIR) + "/" + name));
    return out;
  }();
  return all;
}

using PerCertificate = std::function<void(const Bytes&)>;

// Runs the work over every certificate of the case per iteration and reports
// time and allocations per certificate.
void runCase(benchmark::State& state, const Case& c, const PerCertificate& work) {
  const uint64_t allocationsBefore = allocationCount();
  for (auto _ : state) {
    for (const Bytes& der : c.certificates) work(der);
  }
  const double perCert = static_cast<double>(state.iterations()) * static_cast<double>(c.certificates.size());
  state.SetItemsProcessed(static_cast<int64_t>(perCert));
  state.counters["allocs/cert"] = static_cast<double>(allocationCount() - allocationsBefore) / perCert;
  state.counters["ns/cert"] = benchmark::Counter(perCert, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void memcpyOnly(const Bytes& der) {
  static uint8_t target[65536];
  std::memcpy(target, der.data(), der.size());
  benchmark::DoNotOptimize(target);
  benchmark::ClobberMemory();
}

void walk(const Bytes& der) {
  uint8_t* copy = new uint8_t[der.size()];
  std::memcpy(copy, der.data(), der.size());
  const uint8_t* serial = nullptr;
  size_t serialSize = 0;
  char cn[333];
  benchmark::DoNotOptimize(minimalWalk(copy, der.size(), &serial, &serialSize, cn, sizeof cn));
  benchmark::DoNotOptimize(serial);
  delete[] copy;
}

void qelt(const Bytes& der) {
  const Certificate c(der.data(), static_cast<int32_t>(der.size()));
  char cn[333];
  int32_t size = sizeof cn;
  benchmark::DoNotOptimize(c.subjectAttribute("CN", cn, &size));
  const ByteBuffer serial = c.serialNumber();
  benchmark::DoNotOptimize(serial.data());
}

void qeltConstructOnly(const Bytes& der) {
  const Certificate c(der.data(), static_cast<int32_t>(der.size()));
  benchmark::DoNotOptimize(&c);
}

void mbedTls(const Bytes& der) {
  mbedtls_x509_crt crt;
  mbedtls_x509_crt_init(&crt);
  mbedtls_x509_crt_parse_der(&crt, der.data(), der.size());
  char cn[333] = "";
  for (const mbedtls_x509_name* n = &crt.subject; n; n = n->next) {
    if (MBEDTLS_OID_CMP(MBEDTLS_OID_AT_CN, &n->oid) == 0) {
      const size_t length = n->val.len < sizeof cn - 1 ? n->val.len : sizeof cn - 1;
      std::memcpy(cn, n->val.p, length);
      cn[length] = '\0';
      break;
    }
  }
  benchmark::DoNotOptimize(cn);
  benchmark::DoNotOptimize(crt.serial.p);
  mbedtls_x509_crt_free(&crt);
}

void openSsl(const Bytes& der) {
  const unsigned char* p = der.data();
  X509* x = d2i_X509(nullptr, &p, static_cast<long>(der.size()));
  char cn[333];
  benchmark::DoNotOptimize(X509_NAME_get_text_by_NID(X509_get_subject_name(x), NID_commonName, cn, sizeof cn));
  benchmark::DoNotOptimize(X509_get_serialNumber(x));
  X509_free(x);
}

const std::vector<std::pair<std::string, PerCertificate>> kReaders = {
    {"Memcpy", memcpyOnly}, {"Walk", walk},       {"Qelt", qelt}, {"QeltConstructOnly", qeltConstructOnly},
    {"MbedTLS", mbedTls},   {"OpenSSL", openSsl},
};

// Keeps each benchmark's time and allocations per certificate for the
// summary: the fastest of its repetitions (--benchmark_repetitions=N), which
// is the least disturbed by whatever else the machine is doing.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name().substr(0, run.benchmark_name().find("/repeats"));
      const double ns = run.counters.at("ns/cert").value * 1e9;
      auto known = nanoseconds_.find(name);
      if (known == nanoseconds_.end() || ns < known->second) nanoseconds_[name] = ns;
      allocations_[name] = run.counters.at("allocs/cert").value;
    }
  }

  void printSummary() const {
    std::printf("\nPer certificate (construct, subject CN, serial number), ns; allocations in brackets:\n");
    std::printf("  %-10s %9s %9s %9s %9s %11s | %9s %9s %9s %9s\n", "", "memcpy", "walk", "Qelt", "mbedTLS",
                "OpenSSL", "Qelt/walk", "mbed/Qelt", "OSSL/Qelt", "Qelt/mcpy");
    for (const Case& c : cases()) {
      const double memcpyNs = ns("Memcpy", c), walkNs = ns("Walk", c), qeltNs = ns("Qelt", c);
      const double mbedNs = ns("MbedTLS", c), opensslNs = ns("OpenSSL", c);
      if (qeltNs <= 0) continue;
      std::printf("  %-10s %9.1f %9.1f %9.1f %9.1f %11.1f | %8.2fx %8.2fx %8.1fx %8.2fx\n", c.name.c_str(),
                  memcpyNs, walkNs, qeltNs, mbedNs, opensslNs, walkNs > 0 ? qeltNs / walkNs : 0,
                  mbedNs / qeltNs, opensslNs / qeltNs, memcpyNs > 0 ? qeltNs / memcpyNs : 0);
      std::printf("  %-10s %9s [%6.2f] [%6.2f] [%6.2f] [%8.2f]   construction alone [%.2f]\n", "", "",
                  allocs("Walk", c), allocs("Qelt", c), allocs("MbedTLS", c), allocs("OpenSSL", c),
                  allocs("QeltConstructOnly", c));
    }
    std::printf("  targets: Qelt/walk within 2x, mbedTLS/Qelt at least 8x on every certificate;\n"
                "  Qelt allocates the DER copy and the serial number's buffer.\n");
  }

 private:
  double ns(const std::string& reader, const Case& c) const {
    auto it = nanoseconds_.find(reader + "/" + c.name);
    return it == nanoseconds_.end() ? 0.0 : it->second;
  }
  double allocs(const std::string& reader, const Case& c) const {
    auto it = allocations_.find(reader + "/" + c.name);
    return it == allocations_.end() ? 0.0 : it->second;
  }

  std::map<std::string, double> nanoseconds_, allocations_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : cases()) {
    for (const auto& reader : kReaders) {
      benchmark::RegisterBenchmark((reader.first + "/" + c.name).c_str(),
                                   [&c, &reader](benchmark::State& state) { runCase(state, c, reader.second); });
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary();
  benchmark::Shutdown();
  return 0;
}
