// The command line of qelt-installer-test (kit/docs/README.md, "The command").
#pragma once

#include <string>
#include <vector>

struct Options {
  std::wstring script, plan, world, token, files, out, expect, flavour, plugins, makensis;
  std::wstring arguments = L"/S";
  std::wstring libraryFolder = L"C:\\Program Files\\Nolm\\";
  std::wstring timeout;  // as given; empty for the default
  std::vector<std::wstring> without, defines, includes;
  bool noToken = false, noLibrary = false, quiet = false, help = false;
};

extern const char kUsage[];

// Reads argv into *options; false with *error (UTF-8) on an unknown option,
// a missing value or a second script.
bool parseOptions(int argc, wchar_t** argv, Options* options, std::string* error);
