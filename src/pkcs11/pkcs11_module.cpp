#include "pkcs11_module.h"

#include <cstring>
#include <memory>

#include "ckr_name.h"
#include "format_text.h"
#include "pkcs11_exception.h"
#include "pkcs11_session.h"
#include "trace.h"

namespace {

constexpr size_t kMaxMatchLength = 32;

size_t matchLength(const char* text) {
  size_t length = 0;
  while (length < kMaxMatchLength && text[length] != '\0') ++length;
  return length;
}

}  // namespace

Pkcs11Module::Pkcs11Module(const char* libraryFile) {
  // The loading traces the path it tried.
  library_ = platform::loadLibrary(libraryFile);
  if (!library_) throw Pkcs11Exception(PKCS11_ERR_LOAD_FAILED);
  platform::traceLoadedLibrary(library_);

  auto getFunctionList = reinterpret_cast<CK_C_GetFunctionList>(platform::findSymbol(library_, "C_GetFunctionList"));
  if (!getFunctionList) {
    QELT_TRACE("token: the module has no C_GetFunctionList");
    unload();
    throw Pkcs11Exception(PKCS11_ERR_MODULE);
  }
  CK_FUNCTION_LIST* functions = nullptr;
  const CK_RV listed = getFunctionList(&functions);
  // A module that answers CKR_OK without a list is as unusable as one that fails.
  if (listed != CKR_OK || functions == nullptr || functions->C_Initialize == nullptr) {
    traceTokenResult("C_GetFunctionList", pkcs11Code(listed), ", no usable list");
    unload();
    throw Pkcs11Exception(PKCS11_ERR_MODULE);
  }
  functions_ = functions;

  CK_C_INITIALIZE_ARGS initArgs;
  std::memset(&initArgs, 0, sizeof initArgs);
  initArgs.flags = CKF_OS_LOCKING_OK;
  // CKR_CRYPTOKI_ALREADY_INITIALIZED too: that initialisation belongs to someone else.
  const CK_RV initialized = functions_->C_Initialize(&initArgs);
  if (initialized != CKR_OK) {
    traceTokenResult("C_Initialize", pkcs11Code(initialized));
    unload();
    throw Pkcs11Exception(PKCS11_ERR_MODULE);
  }
}

Pkcs11Module::~Pkcs11Module() {
  if (!library_) return;
  functions_->C_Finalize(nullptr);
  unload();
}

void Pkcs11Module::unload() {
  platform::freeLibrary(library_);
  library_ = nullptr;
  functions_ = nullptr;
}

void Pkcs11Module::GetSlotList(CK_SLOT_ID* slots, CK_ULONG* count) {
  CK_ULONG moduleCount = *count;
  const CK_RV rv = functions_->C_GetSlotList(CK_TRUE, slots, &moduleCount);
  if (traceSink) {
    char details[32];
    formatText(details, sizeof details, ", %lu slots with a token", static_cast<unsigned long>(moduleCount));
    traceTokenResult("C_GetSlotList", pkcs11Code(rv), rv == CKR_OK ? details : "");
  }
  if (rv != CKR_OK) throw Pkcs11Exception(PKCS11_ERR_MODULE);
  *count = moduleCount;
}

CK_SLOT_ID Pkcs11Module::FindSlot(const char* selector) {
  if (!library_) throw Pkcs11Exception(PKCS11_ERR_NOT_LOADED);

  CK_ULONG count = 0;
  if (functions_->C_GetSlotList(CK_TRUE, nullptr, &count) != CKR_OK || count == 0) {
    throw Pkcs11Exception(PKCS11_ERR_MODULE);
  }
  std::unique_ptr<CK_SLOT_ID[]> slots(new CK_SLOT_ID[count]);
  // The second answer may list fewer slots than the first (a token removed
  // in between); only the slots it filled are looked at.
  const CK_ULONG capacity = count;
  if (functions_->C_GetSlotList(CK_TRUE, slots.get(), &count) != CKR_OK) throw Pkcs11Exception(PKCS11_ERR_MODULE);
  if (count > capacity) count = capacity;

  CK_SLOT_ID found = NO_SLOT;
  if (selector == nullptr || selector[0] == '\0') {
    if (count > 0) found = slots[0];
  } else if (selector[0] == '#') {
    // One character after '#' is the index; for "#" alone that is the NUL,
    // which (as every non-digit below '0') wraps to a huge index.
    CK_ULONG index = static_cast<CK_ULONG>(static_cast<unsigned char>(selector[1])) - '0';
    if (index < count) found = slots[index];
  } else if (selector[0] == '@') {
    found = matchToken(slots.get(), count, selector + 1);
  } else if (std::strcmp(selector, "?") != 0) {
    found = matchSlotDescription(slots.get(), count, selector);
  }
  if (found == NO_SLOT) throw Pkcs11Exception(PKCS11_ERR_MODULE);
  return found;
}

CK_SLOT_ID Pkcs11Module::matchToken(const CK_SLOT_ID* slots, CK_ULONG count, const char* text) {
  const size_t length = matchLength(text);
  char padded[kMaxMatchLength];
  std::memset(padded, ' ', sizeof padded);
  std::memcpy(padded, text, length);

  for (CK_ULONG i = 0; i < count; ++i) {
    CK_TOKEN_INFO info;
    if (functions_->C_GetTokenInfo(slots[i], &info) != CKR_OK) continue;
    if (std::memcmp(info.label, text, length) == 0) return slots[i];
    static_assert(sizeof info.serialNumber <= sizeof padded, "serial compared with the padded text");
    if (std::memcmp(info.serialNumber, padded, sizeof info.serialNumber) == 0) return slots[i];
  }
  return NO_SLOT;
}

CK_SLOT_ID Pkcs11Module::matchSlotDescription(const CK_SLOT_ID* slots, CK_ULONG count, const char* text) {
  const size_t length = matchLength(text);
  for (CK_ULONG i = 0; i < count; ++i) {
    CK_SLOT_INFO info;
    if (functions_->C_GetSlotInfo(slots[i], &info) != CKR_OK) continue;
    if (std::memcmp(info.slotDescription, text, length) == 0) return slots[i];
  }
  return NO_SLOT;
}

Pkcs11Session* Pkcs11Module::OpenSession(CK_SLOT_ID slot) {
  CK_SESSION_HANDLE session = CK_INVALID_HANDLE;
  checkRv(functions_->C_OpenSession(slot, CKF_SERIAL_SESSION | CKF_RW_SESSION, nullptr, nullptr, &session));
  try {
    return new Pkcs11Session(this, session);
  } catch (...) {
    functions_->C_CloseSession(session);
    throw;
  }
}
