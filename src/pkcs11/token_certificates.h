// The certificates on every connected Secure Token, each as one certificate
// entry ("Owner name (0102abcd)", see certificate_entry.h).
#pragma once

#include <array>

#include "certificate_entry.h"

// The token's PKCS#11 module. Its driver installs it into the system
// directory, and only from there is it loaded: a DLL of that name beside the
// installer must never run.
constexpr const char* kTokenModuleName = "Av337CryptokiD.dll";

// Entries from the first place on, in the order found (slot by slot, key by
// key); places not filled are empty. Only certificates linked by CKA_ID to a
// token public key of the Secure Token's own key type are listed.
using TokenCertificateList = std::array<CertificateEntry, 10>;

// Loads, initialises, reads, finalises and unloads the module. Never throws
// and shows nothing: every failure only shortens the list. No login is made:
// only public objects are read.
TokenCertificateList enumerateTokenCertificates();
// The same with the module file given.
TokenCertificateList enumerateTokenCertificates(const char* moduleFile);
