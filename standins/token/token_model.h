// What the stand-in token module holds: slots, the tokens in them and their
// objects, and the faults to inject, as read from its configuration file.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "pkcs11_declarations.h"

struct TokenObject {
  CK_OBJECT_HANDLE handle = 0;
  std::map<CK_ATTRIBUTE_TYPE, std::vector<unsigned char>> attributes;

  bool has(CK_ATTRIBUTE_TYPE type) const { return attributes.count(type) != 0; }
  // True unless CKA_PRIVATE is set: private objects stay hidden, as no one logs in.
  bool isPublic() const;
};

struct TokenSlot {
  CK_SLOT_ID id = 0;
  std::string description;
  bool hasToken = false;
  std::string label;
  std::string serial;
  std::vector<TokenObject> objects;
};

// The call number `call` of `function` (counted from 1; 0 means every call)
// answers with `rv`, or with one of the misbehaving answers below.
struct InjectedFault {
  enum Kind {
    kReturnValue,  // answer rv and do nothing
    kOkLength,     // C_GetAttributeValue: as usual, then CKR_OK with every length set to value
    kOkCount,      // C_GetSlotList / C_FindObjects: as usual, then CKR_OK with count value
    kOkNullList,   // C_GetFunctionList: CKR_OK without a list
  };
  std::string function;
  unsigned long call = 0;
  Kind kind = kReturnValue;
  CK_ULONG value = 0;
};

struct TokenModel {
  std::vector<TokenSlot> slots;
  std::vector<InjectedFault> faults;
  // The most handles one C_FindObjects hands out, whatever room it is given;
  // 0: as many as fit.
  CK_ULONG searchBatch = 0;
};

// Reads the configuration file (format in README.md). Relative file names in
// it are taken from the file's folder. On failure returns false and puts the
// reason into *error.
bool loadTokenModel(const char* path, TokenModel* model, std::string* error);
