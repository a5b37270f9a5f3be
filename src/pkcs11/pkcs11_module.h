// A loaded and initialised PKCS#11 module. The constructor loads the library
// and calls C_Initialize; the destructor calls C_Finalize and unloads it. A
// constructor that throws leaves nothing loaded. Sessions opened here must be
// deleted before the module.
#pragma once

#include "pkcs11_declarations.h"
#include "platform.h"

class Pkcs11Session;

// The value FindSlot uses internally for "no slot matched".
constexpr CK_SLOT_ID NO_SLOT = 0x31415927;

class Pkcs11Module {
 public:
  // libraryFile: the module's full path (UTF-8), or the file name of a
  // module in the system directory (platform::loadLibrary). Throws
  // Pkcs11Exception PKCS11_ERR_LOAD_FAILED or PKCS11_ERR_MODULE.
  explicit Pkcs11Module(const char* libraryFile);
  virtual ~Pkcs11Module();
  Pkcs11Module(const Pkcs11Module&) = delete;
  Pkcs11Module& operator=(const Pkcs11Module&) = delete;

  // Lists the slots holding a token. *count is the capacity of slots on entry
  // (slots may be null to ask for the number) and the module's count on
  // success; any failure throws PKCS11_ERR_MODULE and leaves *count alone.
  void GetSlotList(CK_SLOT_ID* slots, CK_ULONG* count);

  // Selects a token slot:
  //   null or ""  the first one;
  //   "#d"        the one at index d (a single digit character);
  //   "@text"     the first whose token label begins with text, or whose
  //               serial number is text padded with spaces;
  //   "?"         none;
  //   otherwise   the first whose slot description begins with the selector.
  // Texts are cut to 32 characters. No match throws PKCS11_ERR_MODULE.
  CK_SLOT_ID FindSlot(const char* selector);

  // Opens a read-write serial session; the caller deletes it.
  Pkcs11Session* OpenSession(CK_SLOT_ID slot);

  CK_FUNCTION_LIST* functionList() const { return functions_; }

 private:
  void unload();
  CK_SLOT_ID matchToken(const CK_SLOT_ID* slots, CK_ULONG count, const char* text);
  CK_SLOT_ID matchSlotDescription(const CK_SLOT_ID* slots, CK_ULONG count, const char* text);

  platform::LibraryHandle library_ = nullptr;
  CK_FUNCTION_LIST* functions_ = nullptr;
};
