// qelt-world-check: asks the simulator whether the world files named by
// NOLM_STANDIN_CONFIG and QELT_TOKEN_CONFIG can be used, before an installer
// runs against them. The library notes each line it cannot use in its call
// log; the token module refuses to start on one (and says why on stderr).
//
//   qelt-world-check.exe <nolm32.dll> <token module> <scratch log>
//
// Prints the library's notes; exits 0 when both worlds are usable, 1 when
// not, 2 when the simulator cannot be loaded.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

typedef int(__stdcall* GetVersion)();
typedef unsigned long (*TokenCall)(void*);

template <typename Function>
Function symbol(HMODULE module, const char* name) {
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

int checkLibrary(const char* dll, const char* log) {
  if (!GetEnvironmentVariableA("NOLM_STANDIN_CONFIG", nullptr, 0)) return 0;
  SetEnvironmentVariableA("NOLM_STANDIN_LOG", log);
  DeleteFileA(log);
  // Its imports come from its own folder, as the plug-in loads it.
  HMODULE library = LoadLibraryExA(dll, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  GetVersion version = symbol<GetVersion>(library, "NolmGetVer");
  if (!version) {
    std::fprintf(stderr, "cannot load the simulated library %s\n", dll);
    return 2;
  }
  version();  // reads the world
  FreeLibrary(library);
  int refused = 0;
  FILE* file = std::fopen(log, "rb");
  char line[2048];
  while (file && std::fgets(line, sizeof line, file)) {
    if (std::strncmp(line, "# ", 2) != 0) continue;
    std::fputs(line, stdout);
    refused = 1;
  }
  if (file) std::fclose(file);
  return refused;
}

int checkToken(const char* dll) {
  if (!GetEnvironmentVariableA("QELT_TOKEN_CONFIG", nullptr, 0) || std::strcmp(dll, "-") == 0) return 0;
  HMODULE module = LoadLibraryA(dll);
  TokenCall initialize = symbol<TokenCall>(module, "C_Initialize");
  TokenCall finalize = symbol<TokenCall>(module, "C_Finalize");
  if (!initialize || !finalize) {
    std::fprintf(stderr, "cannot load the simulated token module %s\n", dll);
    return 2;
  }
  unsigned long result = initialize(nullptr);
  if (result == 0) finalize(nullptr);
  FreeLibrary(module);
  return result == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: qelt-world-check <nolm32.dll> <token module> <scratch log>\n");
    return 2;
  }
  int library = checkLibrary(argv[1], argv[3]);
  int token = checkToken(argv[2]);
  if (library == 2 || token == 2) return 2;
  return library || token ? 1 : 0;
}
