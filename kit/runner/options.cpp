#include "options.h"

#include "text.h"

const char kUsage[] =
    "usage: qelt-installer-test --plan PLAN [options] SCRIPT.nsi\n"
    "\n"
    "Builds SCRIPT.nsi, runs the installer against the test kit's SIMULATED Nolm\n"
    "library and token module while a robot plays the user, and reports. It puts\n"
    "the simulator into the library folder and the system directory for the run\n"
    "(an elevated prompt is needed) and removes it afterwards: meant for disposable\n"
    "machines (CI runners, virtual machines, Windows Sandbox).\n"
    "\n"
    "  --plan FILE          the robot's plan: which window to answer how (required)\n"
    "  --world FILE         the simulated library's world (UTF-8); default: the built-in one\n"
    "  --token FILE         the simulated token's world; default: a module without slots\n"
    "  --no-token           no token module at all\n"
    "  --no-library         no library in the library folder\n"
    "  --without DLL        leave one library DLL out (repeatable), e.g. --without nolmcc.dll\n"
    "  --library-dir PATH   where the installer expects the library (Windows path;\n"
    "                       default \"C:\\Program Files\\Nolm\\\")\n"
    "  --files DIR          copied into the installer's folder before it runs\n"
    "  --define NAME=VALUE  passed to makensis as -DNAME=VALUE (repeatable)\n"
    "  --makensis PATH      the makensis to build with; default: NSIS's own (from the\n"
    "                       registry), else the first on PATH\n"
    "  --plugins DIR        an NSIS Plugins folder holding QeltNSIS.dll (x86-unicode/,\n"
    "                       x86-ansi/); default: NSIS's own\n"
    "  --include DIR        a folder searched by !include (repeatable), e.g. NSIS's Include\n"
    "  --flavour F          ansi or unicode, overriding the script's own choice\n"
    "  --args \"ARGS\"        the installer's command line (default /S)\n"
    "  --timeout SECONDS    the installer is ended after this long (default 120; more\n"
    "                       in the 32-bit guest, where programs run slower)\n"
    "  --out DIR            where the run and its report go (default qelt-test-out/<script>)\n"
    "  --expect FILE        compare the report's sections with this file's\n"
    "  --quiet              print the report only when the run fails\n";

bool parseOptions(int argc, wchar_t** argv, Options* options, std::string* error) {
  struct Valued {
    const wchar_t* name;
    std::wstring* value;
    std::vector<std::wstring>* values;
  };
  const Valued valued[] = {
      {L"--plan", &options->plan, nullptr},         {L"--world", &options->world, nullptr},
      {L"--token", &options->token, nullptr},       {L"--without", nullptr, &options->without},
      {L"--library-dir", &options->libraryFolder, nullptr}, {L"--files", &options->files, nullptr},
      {L"--define", nullptr, &options->defines},    {L"--plugins", &options->plugins, nullptr},
      {L"--include", nullptr, &options->includes},  {L"--flavour", &options->flavour, nullptr},
      {L"--args", &options->arguments, nullptr},    {L"--timeout", &options->timeout, nullptr},
      {L"--out", &options->out, nullptr},           {L"--expect", &options->expect, nullptr},
      {L"--makensis", &options->makensis, nullptr},
  };
  const struct {
    const wchar_t* name;
    bool* flag;
  } flags[] = {{L"--no-token", &options->noToken}, {L"--no-library", &options->noLibrary},
               {L"--quiet", &options->quiet},      {L"--help", &options->help},
               {L"-h", &options->help}};
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    bool known = false;
    for (const Valued& option : valued) {
      if (argument != option.name) continue;
      if (i + 1 >= argc) {
        *error = toUtf8(argument) + " needs a value";
        return false;
      }
      if (option.value) *option.value = argv[++i];
      if (option.values) option.values->push_back(argv[++i]);
      known = true;
    }
    for (const auto& flag : flags)
      if (argument == flag.name) *flag.flag = known = true;
    if (options->help) return true;
    if (known) continue;
    if (!argument.empty() && argument[0] == L'-') {
      *error = "unknown option " + toUtf8(argument) + " (see --help)";
      return false;
    }
    if (!options->script.empty()) {
      *error = "one script only (" + toUtf8(options->script) + ", " + toUtf8(argument) + ")";
      return false;
    }
    options->script = argument;
  }
  return true;
}
