// Key generation helpers for the SoftHSM2 tests, written with the plain
// GenerateKeyPair wrapper and templates of the tests' own.
#pragma once

#include <string>
#include <vector>

#include "pkcs11_session.h"

struct KeyPair {
  CK_OBJECT_HANDLE publicKey = CK_INVALID_HANDLE;
  CK_OBJECT_HANDLE privateKey = CK_INVALID_HANDLE;
};

// A 1024-bit RSA pair able to sign, verify, wrap and unwrap. Token objects
// when onToken (they then outlive the session: give each test its own label).
KeyPair generateRsaPair(Pkcs11Session& session, const std::string& label, const std::vector<CK_BYTE>& id,
                        bool onToken);

// The DER OID of the P-256 curve, as CKA_EC_PARAMS.
extern const std::vector<CK_BYTE> kP256Parameters;

// A P-256 session pair able to derive.
KeyPair generateEcPair(Pkcs11Session& session);

std::vector<CK_BYTE> bytesOf(const std::string& text);
