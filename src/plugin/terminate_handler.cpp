// The runtime's default terminate handler prints the exception's demangled
// type name, which links the whole C++ demangler into the DLL. Nothing may
// escape an export anyway (guardExport), so a plain abort serves.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
