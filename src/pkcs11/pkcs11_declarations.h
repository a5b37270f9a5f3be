// The PKCS#11 types, constants and function list, from p11-kit's header.
// On 32-bit Windows a module's structures are packed to 1 byte and its
// functions are __cdecl; both are checked here so that a build with other
// defaults cannot silently talk to a module in the wrong layout.
#pragma once

#include <type_traits>

#include "p11-kit/pkcs11.h"

#if defined(_WIN32)
static_assert(sizeof(CK_INFO) == sizeof(CK_VERSION) + 32 + sizeof(CK_FLAGS) + 32 + sizeof(CK_VERSION),
              "PKCS#11 structures must be packed to 1 byte on Windows");
static_assert(sizeof(CK_ULONG) == 4, "CK_ULONG is 32 bits on Windows");
static_assert(std::is_same<CK_C_Initialize, CK_RV(__cdecl*)(void*)>::value,
              "PKCS#11 functions must be __cdecl on Windows");
#endif
