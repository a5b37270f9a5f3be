// The loaded Nolm library: its six DLLs, the function table and the
// module-level buffers that the library exports share.
#pragma once

#include "nolm_api.h"

extern NolmFunctions nolm;
// Result of the last library or card call; 0 is success.
extern int lastResultCode;
// Texts that NolmGetMsgAux supplies.
extern char libraryMessageText[kTextBufferSize];
// The card reader chosen by CheckToken.
extern char currentReaderName[kTextBufferSize];
// Windows error code of the last failed load.
extern int loadError;

// Loads the six DLLs from directory (which ends with a separator; a relative
// one is taken from the current directory; an empty one means the system
// directory) and fills the function table. What a DLL imports comes only
// from its own folder or the system directory. Shows the first failure and
// returns false.
bool loadNolmLibrary(const wchar_t* directory);
// Releases the DLLs and clears the handles and the function table.
void freeNolmLibrary();

// True when fn is resolved; otherwise shows which library function is
// unavailable and returns false. Every export checks before it calls.
bool requireFunction(const void* fn, const char* name);
#define REQUIRE_NOLM(name) requireFunction(reinterpret_cast<const void*>(nolm.name), #name)
