// Stand-in for the support DLLs (tavrikon.dll, wembra.dll, Plisk.dll): the
// plug-in only loads them.
extern "C" __declspec(dllexport) int StandinSupport() { return 0; }
