// The token enumeration's work per certificate -- construct from the DER
// value (copying it), read the subject's CN, read the serial number -- with
// our reader, OpenSSL 3 and mbedTLS, against a plain copy of the bytes.
// Prints the ratios and the heap allocations per certificate at the end.
#include <benchmark/benchmark.h>
#include <mbedtls/oid.h>
#include <mbedtls/x509_crt.h>
#include <openssl/objects.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "certificate.h"
#include "der_scanner.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::vector<Bytes>& certificates() {
  static const std::vector<Bytes> all = [] {
    std::vector<Bytes> out;
    for (const char* name : {"ca-rsa.der", "leaf-ec-utf8.der", "bmp-cn.der", "two-points.der", "v1-2050.der",
                             "v1-1965.der"}) {
      std::ifstream in(std::string(QELT_CERT_DATA_DIR) + "/" + name, std::ios::binary);
      out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      if (out.back().empty()) std::fprintf(stderr, "cannot read %s\n", name);
    }
    return out;
  }();
  return all;
}

// Runs `perCertificate` over every test certificate per iteration and
// reports time and allocations per certificate.
template <typename F>
void runPerCertificate(benchmark::State& state, F perCertificate) {
  const std::vector<Bytes>& certs = certificates();
  const uint64_t allocationsBefore = allocationCount();
  for (auto _ : state) {
    for (const Bytes& der : certs) perCertificate(der);
  }
  const double perCert = static_cast<double>(state.iterations()) * static_cast<double>(certs.size());
  state.SetItemsProcessed(static_cast<int64_t>(perCert));
  state.counters["allocs/cert"] = static_cast<double>(allocationCount() - allocationsBefore) / perCert;
  state.counters["ns/cert"] = benchmark::Counter(perCert, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Memcpy(benchmark::State& state) {
  static uint8_t target[65536];
  runPerCertificate(state, [](const Bytes& der) {
    std::memcpy(target, der.data(), der.size());
    benchmark::DoNotOptimize(target);
    benchmark::ClobberMemory();
  });
}

void AllocateAndCopy(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
    uint8_t* copy = new uint8_t[der.size()];
    std::memcpy(copy, der.data(), der.size());
    benchmark::DoNotOptimize(copy);
    benchmark::ClobberMemory();
    delete[] copy;
  });
}

void Qelt(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
    const Certificate c(der.data(), static_cast<int32_t>(der.size()));
    char cn[333];
    int32_t size = sizeof cn;
    benchmark::DoNotOptimize(c.subjectAttribute("CN", cn, &size));
    const ByteBuffer serial = c.serialNumber();
    benchmark::DoNotOptimize(serial.data());
  });
}

void QeltConstructOnly(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
    const Certificate c(der.data(), static_cast<int32_t>(der.size()));
    benchmark::DoNotOptimize(&c);
  });
}

// One derScan of the 9-step path to the public key, for the cost per step.
void DerScanPublicKeyPath(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
    const uint8_t* out = nullptr;
    benchmark::DoNotOptimize(derScan(der.data(), der.data() + der.size(), "SSoe0isssss", &out, nullptr));
    benchmark::DoNotOptimize(out);
  });
}

void OpenSSL(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
    const unsigned char* p = der.data();
    X509* x = d2i_X509(nullptr, &p, static_cast<long>(der.size()));
    char cn[333];
    benchmark::DoNotOptimize(X509_NAME_get_text_by_NID(X509_get_subject_name(x), NID_commonName, cn, sizeof cn));
    benchmark::DoNotOptimize(X509_get_serialNumber(x));
    X509_free(x);
  });
}

void MbedTLS(benchmark::State& state) {
  runPerCertificate(state, [](const Bytes& der) {
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
  });
}

BENCHMARK(Memcpy);
BENCHMARK(AllocateAndCopy);
BENCHMARK(Qelt);
BENCHMARK(QeltConstructOnly);
BENCHMARK(DerScanPublicKeyPath);
BENCHMARK(OpenSSL);
BENCHMARK(MbedTLS);

// Keeps each benchmark's time and allocations per certificate for the
// summary: the fastest of its repetitions (--benchmark_repetitions=N), which
// is the least disturbed by whatever else the machine is doing.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name().substr(0, run.benchmark_name().find('/'));
      const double ns = run.counters.at("ns/cert").value * 1e9;
      auto known = nanoseconds_.find(name);
      if (known == nanoseconds_.end() || ns < known->second) nanoseconds_[name] = ns;
      allocations_[name] = run.counters.at("allocs/cert").value;
    }
  }

  void printSummary() const {
    auto ns = [this](const char* name) {
      auto it = nanoseconds_.find(name);
      return it == nanoseconds_.end() ? 0.0 : it->second;
    };
    const double qelt = ns("Qelt");
    if (qelt <= 0) return;
    std::printf("\nPer certificate (construct, subject CN, serial number), %zu test certificates:\n",
                certificates().size());
    for (const auto& entry : nanoseconds_)
      std::printf("  %-18s %9.1f ns  %5.2f allocations\n", entry.first.c_str(), entry.second,
                  allocations_.at(entry.first));
    if (ns("Memcpy") <= 0 || ns("AllocateAndCopy") <= 0 || ns("OpenSSL") <= 0 || ns("MbedTLS") <= 0) return;
    std::printf("  Qelt / memcpy            %6.2fx   (target: within 10x)\n", qelt / ns("Memcpy"));
    std::printf("  Qelt / allocate+copy     %6.2fx\n", qelt / ns("AllocateAndCopy"));
    std::printf("  OpenSSL / Qelt           %6.2fx   (target: at least 20x)\n", ns("OpenSSL") / qelt);
    std::printf("  mbedTLS / Qelt           %6.2fx   (target: at least 8x)\n", ns("MbedTLS") / qelt);
    if (allocations_.count("QeltConstructOnly"))
      std::printf("  allocations per parse    %6.2f    (construction alone; target: 1, the DER copy)\n",
                  allocations_.at("QeltConstructOnly"));
  }

 private:
  std::map<std::string, double> nanoseconds_, allocations_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary();
  benchmark::Shutdown();
  return 0;
}
