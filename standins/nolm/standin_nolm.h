// Calling convention of the Nolm library: every function, and every entry of
// the card function table, is __stdcall.
#pragma once

#define NOLM_CALL __stdcall
#define NOLM_EXPORT __declspec(dllexport) int NOLM_CALL
