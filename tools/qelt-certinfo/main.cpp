// qelt-certinfo: what the plug-in's certificate reader sees in DER files.
#include <cstdio>
#include <cstring>
#include <vector>

#include "cert_report.h"
#include "report_output.h"

namespace {

const char kUsage[] =
    "usage: qelt-certinfo [--json] FILE...\n"
    "Reads each FILE as one DER-encoded X.509 certificate and prints what the\n"
    "plug-in's reader finds in it: readable text, or with --json one JSON\n"
    "object per file and line.\n";

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  bool optionsEnd = false;
  std::vector<const char*> files;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnd && std::strcmp(arg, "--") == 0) {
      optionsEnd = true;
    } else if (!optionsEnd && std::strcmp(arg, "--json") == 0) {
      json = true;
    } else if (!optionsEnd && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!optionsEnd && arg[0] == '-' && arg[1] != '\0') {
      std::fprintf(stderr, "qelt-certinfo: unknown option %s\n%s", arg, kUsage);
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  for (const char* file : files) {
    const CertReport report = readCertReport(file);
    if (json) printJson(report, stdout);
    else printText(report, stdout);
    std::fflush(stdout);
  }
  return 0;
}
