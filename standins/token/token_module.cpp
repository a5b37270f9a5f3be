// The stand-in token module: a PKCS#11 module whose slots, tokens and public
// objects come from the file named by QELT_TOKEN_CONFIG. It answers the calls
// a reader of public objects makes (no login, no cryptography) as the
// standard prescribes, injects the configured faults, keeps counters for
// leak checks (token_counters.h) and logs every call (token_call_log.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "pkcs11_declarations.h"
#include "token_call_log.h"
#include "token_counters.h"
#include "token_model.h"

namespace {

struct Session {
  size_t slotIndex = 0;
  CK_FLAGS flags = 0;
  bool searching = false;
  std::vector<CK_OBJECT_HANDLE> found;
  size_t nextFound = 0;
};

struct ModuleState {
  bool modelLoaded = false;
  bool modelValid = false;
  TokenModel model;
  bool initialised = false;
  std::map<CK_SESSION_HANDLE, Session> sessions;
  CK_SESSION_HANDLE nextSession = 1;
};

ModuleState& state() {
  static ModuleState s;
  return s;
}

// Counts the module's loads and unloads (static construction and
// destruction run when the library is loaded and unloaded).
struct LoadCounter {
  LoadCounter() { bumpCounter("loads"); }
  ~LoadCounter() { bumpCounter("unloads"); }
} loadCounter;

void loadModel() {
  ModuleState& s = state();
  s.model = TokenModel();
  s.modelLoaded = true;
  s.modelValid = true;
  const char* path = std::getenv("QELT_TOKEN_CONFIG");
  if (!path || !*path) return;
  std::string error;
  if (!loadTokenModel(path, &s.model, &error)) {
    std::fprintf(stderr, "token stand-in: %s\n", error.c_str());
    s.model = TokenModel();
    s.modelValid = false;
  }
}

// Counts a call of function and returns the fault configured for it, if any.
const InjectedFault* enterCall(const char* function) {
  const std::string counter = std::string("call.") + function;
  const unsigned long call = bumpCounter(counter.c_str());
  if (!state().modelLoaded) loadModel();
  for (const InjectedFault& fault : state().model.faults) {
    if (fault.function == function && (fault.call == 0 || fault.call == call)) return &fault;
  }
  return nullptr;
}

void padCopy(CK_UTF8CHAR* destination, size_t size, const std::string& text) {
  std::memset(destination, ' ', size);
  std::memcpy(destination, text.data(), text.size() < size ? text.size() : size);
}

TokenSlot* findSlot(CK_SLOT_ID id) {
  for (TokenSlot& slot : state().model.slots) {
    if (slot.id == id) return &slot;
  }
  return nullptr;
}

Session* findSession(CK_SESSION_HANDLE handle) {
  auto it = state().sessions.find(handle);
  return it == state().sessions.end() ? nullptr : &it->second;
}

const TokenObject* findObject(const Session& session, CK_OBJECT_HANDLE handle) {
  for (const TokenObject& object : state().model.slots[session.slotIndex].objects) {
    if (object.handle == handle && object.isPublic()) return &object;
  }
  return nullptr;
}

bool matches(const TokenObject& object, const CK_ATTRIBUTE* search, CK_ULONG count) {
  for (CK_ULONG i = 0; i < count; ++i) {
    auto it = object.attributes.find(search[i].type);
    if (it == object.attributes.end() || it->second.size() != search[i].ulValueLen) return false;
    if (search[i].ulValueLen && std::memcmp(it->second.data(), search[i].pValue, search[i].ulValueLen) != 0) {
      return false;
    }
  }
  return true;
}

void closeSession(CK_SESSION_HANDLE handle) {
  state().sessions.erase(handle);
  bumpCounter("sessions_closed");
}

CK_FUNCTION_LIST* functionList();

CK_RV doInitialize(CK_VOID_PTR initArgs) {
  if (const InjectedFault* fault = enterCall("C_Initialize")) return fault->value;
  ModuleState& s = state();
  if (s.initialised) return CKR_CRYPTOKI_ALREADY_INITIALIZED;
  if (initArgs) {
    const CK_C_INITIALIZE_ARGS* args = static_cast<const CK_C_INITIALIZE_ARGS*>(initArgs);
    const bool anyMutex = args->CreateMutex || args->DestroyMutex || args->LockMutex || args->UnlockMutex;
    const bool allMutex = args->CreateMutex && args->DestroyMutex && args->LockMutex && args->UnlockMutex;
    if (args->pReserved || (anyMutex && !allMutex)) return CKR_ARGUMENTS_BAD;
    setCounter("initialize_flags", static_cast<unsigned long>(args->flags));
  }
  loadModel();
  if (!s.modelValid) return CKR_GENERAL_ERROR;
  s.initialised = true;
  s.sessions.clear();
  bumpCounter("initialize");
  return CKR_OK;
}

CK_RV doFinalize(CK_VOID_PTR reserved) {
  if (const InjectedFault* fault = enterCall("C_Finalize")) return fault->value;
  ModuleState& s = state();
  if (!s.initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  if (reserved) return CKR_ARGUMENTS_BAD;
  // Sessions still open here were leaked by the application: they are
  // dropped without counting them as closed.
  s.sessions.clear();
  s.initialised = false;
  s.modelLoaded = false;
  bumpCounter("finalize");
  return CKR_OK;
}

CK_RV doGetInfo(CK_INFO_PTR info) {
  if (const InjectedFault* fault = enterCall("C_GetInfo")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  if (!info) return CKR_ARGUMENTS_BAD;
  std::memset(info, 0, sizeof *info);
  info->cryptokiVersion.major = 2;
  info->cryptokiVersion.minor = 40;
  padCopy(info->manufacturerID, sizeof info->manufacturerID, "QeltNSIS");
  padCopy(info->libraryDescription, sizeof info->libraryDescription, "Secure Token stand-in");
  info->libraryVersion.major = 1;
  return CKR_OK;
}

CK_RV doGetFunctionList(CK_FUNCTION_LIST_PTR_PTR list) {
  if (const InjectedFault* fault = enterCall("C_GetFunctionList")) {
    if (fault->kind != InjectedFault::kOkNullList) return fault->value;
    if (list) *list = nullptr;
    return CKR_OK;
  }
  if (!list) return CKR_ARGUMENTS_BAD;
  *list = functionList();
  return CKR_OK;
}

CK_RV getSlotList(CK_BBOOL tokenPresent, CK_SLOT_ID_PTR slots, CK_ULONG_PTR count) {
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  if (!count) return CKR_ARGUMENTS_BAD;
  std::vector<CK_SLOT_ID> listed;
  for (const TokenSlot& slot : state().model.slots) {
    if (!tokenPresent || slot.hasToken) listed.push_back(slot.id);
  }
  if (!slots) {
    *count = listed.size();
    return CKR_OK;
  }
  if (*count < listed.size()) {
    *count = listed.size();
    return CKR_BUFFER_TOO_SMALL;
  }
  for (size_t i = 0; i < listed.size(); ++i) slots[i] = listed[i];
  *count = listed.size();
  return CKR_OK;
}

CK_RV doGetSlotList(CK_BBOOL tokenPresent, CK_SLOT_ID_PTR slots, CK_ULONG_PTR count) {
  const InjectedFault* fault = enterCall("C_GetSlotList");
  if (!fault) return getSlotList(tokenPresent, slots, count);
  if (fault->kind != InjectedFault::kOkCount) return fault->value;
  // The list as usual, but a count of the fault's choosing.
  getSlotList(tokenPresent, slots, count);
  if (count) *count = fault->value;
  return CKR_OK;
}

CK_RV doGetSlotInfo(CK_SLOT_ID slotId, CK_SLOT_INFO_PTR info) {
  if (const InjectedFault* fault = enterCall("C_GetSlotInfo")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const TokenSlot* slot = findSlot(slotId);
  if (!slot) return CKR_SLOT_ID_INVALID;
  if (!info) return CKR_ARGUMENTS_BAD;
  std::memset(info, 0, sizeof *info);
  padCopy(info->slotDescription, sizeof info->slotDescription, slot->description);
  padCopy(info->manufacturerID, sizeof info->manufacturerID, "QeltNSIS");
  info->flags = CKF_REMOVABLE_DEVICE | CKF_HW_SLOT | (slot->hasToken ? CKF_TOKEN_PRESENT : 0);
  return CKR_OK;
}

CK_RV doGetTokenInfo(CK_SLOT_ID slotId, CK_TOKEN_INFO_PTR info) {
  if (const InjectedFault* fault = enterCall("C_GetTokenInfo")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const TokenSlot* slot = findSlot(slotId);
  if (!slot) return CKR_SLOT_ID_INVALID;
  if (!slot->hasToken) return CKR_TOKEN_NOT_PRESENT;
  if (!info) return CKR_ARGUMENTS_BAD;
  std::memset(info, 0, sizeof *info);
  padCopy(info->label, sizeof info->label, slot->label);
  padCopy(info->manufacturerID, sizeof info->manufacturerID, "QeltNSIS");
  padCopy(info->model, sizeof info->model, "Secure Token");
  padCopy(info->serialNumber, sizeof info->serialNumber, slot->serial);
  info->flags = CKF_TOKEN_INITIALIZED | CKF_LOGIN_REQUIRED | CKF_USER_PIN_INITIALIZED;
  info->ulMaxSessionCount = CK_EFFECTIVELY_INFINITE;
  info->ulMaxRwSessionCount = CK_EFFECTIVELY_INFINITE;
  info->ulMaxPinLen = 32;
  info->ulMinPinLen = 4;
  info->ulTotalPublicMemory = CK_UNAVAILABLE_INFORMATION;
  info->ulFreePublicMemory = CK_UNAVAILABLE_INFORMATION;
  info->ulTotalPrivateMemory = CK_UNAVAILABLE_INFORMATION;
  info->ulFreePrivateMemory = CK_UNAVAILABLE_INFORMATION;
  return CKR_OK;
}

CK_RV doOpenSession(CK_SLOT_ID slotId, CK_FLAGS flags, CK_VOID_PTR, CK_NOTIFY, CK_SESSION_HANDLE_PTR session) {
  if (const InjectedFault* fault = enterCall("C_OpenSession")) return fault->value;
  ModuleState& s = state();
  if (!s.initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const TokenSlot* slot = findSlot(slotId);
  if (!slot) return CKR_SLOT_ID_INVALID;
  if (!slot->hasToken) return CKR_TOKEN_NOT_PRESENT;
  if (!(flags & CKF_SERIAL_SESSION)) return CKR_SESSION_PARALLEL_NOT_SUPPORTED;
  if (!session) return CKR_ARGUMENTS_BAD;
  Session opened;
  opened.slotIndex = static_cast<size_t>(slot - s.model.slots.data());
  opened.flags = flags;
  *session = s.nextSession++;
  s.sessions[*session] = opened;
  bumpCounter("sessions_opened");
  return CKR_OK;
}

CK_RV doCloseSession(CK_SESSION_HANDLE handle) {
  if (const InjectedFault* fault = enterCall("C_CloseSession")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  if (!findSession(handle)) return CKR_SESSION_HANDLE_INVALID;
  closeSession(handle);
  return CKR_OK;
}

CK_RV doCloseAllSessions(CK_SLOT_ID slotId) {
  if (const InjectedFault* fault = enterCall("C_CloseAllSessions")) return fault->value;
  ModuleState& s = state();
  if (!s.initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const TokenSlot* slot = findSlot(slotId);
  if (!slot) return CKR_SLOT_ID_INVALID;
  const size_t slotIndex = static_cast<size_t>(slot - s.model.slots.data());
  std::vector<CK_SESSION_HANDLE> toClose;
  for (const auto& entry : s.sessions) {
    if (entry.second.slotIndex == slotIndex) toClose.push_back(entry.first);
  }
  for (CK_SESSION_HANDLE handle : toClose) closeSession(handle);
  return CKR_OK;
}

CK_RV doGetSessionInfo(CK_SESSION_HANDLE handle, CK_SESSION_INFO_PTR info) {
  if (const InjectedFault* fault = enterCall("C_GetSessionInfo")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const Session* session = findSession(handle);
  if (!session) return CKR_SESSION_HANDLE_INVALID;
  if (!info) return CKR_ARGUMENTS_BAD;
  info->slotID = state().model.slots[session->slotIndex].id;
  const bool readWrite = (session->flags & CKF_RW_SESSION) != 0;
  info->state = readWrite ? CKS_RW_PUBLIC_SESSION : CKS_RO_PUBLIC_SESSION;
  info->flags = session->flags;
  info->ulDeviceError = 0;
  return CKR_OK;
}

CK_RV doFindObjectsInit(CK_SESSION_HANDLE handle, CK_ATTRIBUTE_PTR search, CK_ULONG count) {
  if (const InjectedFault* fault = enterCall("C_FindObjectsInit")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  Session* session = findSession(handle);
  if (!session) return CKR_SESSION_HANDLE_INVALID;
  if (count && !search) return CKR_ARGUMENTS_BAD;
  if (session->searching) return CKR_OPERATION_ACTIVE;
  session->found.clear();
  session->nextFound = 0;
  for (const TokenObject& object : state().model.slots[session->slotIndex].objects) {
    if (object.isPublic() && matches(object, search, count)) session->found.push_back(object.handle);
  }
  session->searching = true;
  return CKR_OK;
}

CK_RV findObjects(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE_PTR objects, CK_ULONG capacity, CK_ULONG_PTR count) {
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  Session* session = findSession(handle);
  if (!session) return CKR_SESSION_HANDLE_INVALID;
  if (!objects || !count) return CKR_ARGUMENTS_BAD;
  if (!session->searching) return CKR_OPERATION_NOT_INITIALIZED;
  const CK_ULONG batch = state().model.searchBatch;
  if (batch && capacity > batch) capacity = batch;
  CK_ULONG written = 0;
  while (written < capacity && session->nextFound < session->found.size()) {
    objects[written++] = session->found[session->nextFound++];
  }
  *count = written;
  return CKR_OK;
}

CK_RV doFindObjects(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE_PTR objects, CK_ULONG capacity,
                    CK_ULONG_PTR count) {
  const InjectedFault* fault = enterCall("C_FindObjects");
  if (!fault) return findObjects(handle, objects, capacity, count);
  if (fault->kind != InjectedFault::kOkCount) return fault->value;
  findObjects(handle, objects, capacity, count);
  if (count) *count = fault->value;
  return CKR_OK;
}

CK_RV doFindObjectsFinal(CK_SESSION_HANDLE handle) {
  if (const InjectedFault* fault = enterCall("C_FindObjectsFinal")) return fault->value;
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  Session* session = findSession(handle);
  if (!session) return CKR_SESSION_HANDLE_INVALID;
  if (!session->searching) return CKR_OPERATION_NOT_INITIALIZED;
  session->searching = false;
  session->found.clear();
  return CKR_OK;
}

CK_RV getAttributeValue(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE objectHandle, CK_ATTRIBUTE_PTR attributes,
                        CK_ULONG count) {
  if (!state().initialised) return CKR_CRYPTOKI_NOT_INITIALIZED;
  const Session* session = findSession(handle);
  if (!session) return CKR_SESSION_HANDLE_INVALID;
  const TokenObject* object = findObject(*session, objectHandle);
  if (!object) return CKR_OBJECT_HANDLE_INVALID;
  if (count && !attributes) return CKR_ARGUMENTS_BAD;
  CK_RV result = CKR_OK;
  for (CK_ULONG i = 0; i < count; ++i) {
    CK_ATTRIBUTE& attribute = attributes[i];
    auto it = object->attributes.find(attribute.type);
    if (it == object->attributes.end()) {
      attribute.ulValueLen = CK_UNAVAILABLE_INFORMATION;
      result = CKR_ATTRIBUTE_TYPE_INVALID;
    } else if (!attribute.pValue) {
      attribute.ulValueLen = it->second.size();
    } else if (attribute.ulValueLen < it->second.size()) {
      attribute.ulValueLen = CK_UNAVAILABLE_INFORMATION;
      if (result == CKR_OK) result = CKR_BUFFER_TOO_SMALL;
    } else {
      if (!it->second.empty()) std::memcpy(attribute.pValue, it->second.data(), it->second.size());
      attribute.ulValueLen = it->second.size();
    }
  }
  return result;
}

CK_RV doGetAttributeValue(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE objectHandle, CK_ATTRIBUTE_PTR attributes,
                          CK_ULONG count) {
  const InjectedFault* fault = enterCall("C_GetAttributeValue");
  if (!fault) return getAttributeValue(handle, objectHandle, attributes, count);
  if (fault->kind != InjectedFault::kOkLength) return fault->value;
  // The values as usual where they fit, but lengths of the fault's choosing.
  getAttributeValue(handle, objectHandle, attributes, count);
  for (CK_ULONG i = 0; attributes && i < count; ++i) attributes[i].ulValueLen = fault->value;
  return CKR_OK;
}

// Every entry of the list is set: the functions above, the rest unsupported.
#define QELT_ALL_PKCS11_FUNCTIONS(X)                                                                       \
  X(Initialize) X(Finalize) X(GetInfo) X(GetFunctionList) X(GetSlotList) X(GetSlotInfo) X(GetTokenInfo)  \
  X(GetMechanismList) X(GetMechanismInfo) X(InitToken) X(InitPIN) X(SetPIN) X(OpenSession)               \
  X(CloseSession) X(CloseAllSessions) X(GetSessionInfo) X(GetOperationState) X(SetOperationState)        \
  X(Login) X(Logout) X(CreateObject) X(CopyObject) X(DestroyObject) X(GetObjectSize)                     \
  X(GetAttributeValue) X(SetAttributeValue) X(FindObjectsInit) X(FindObjects) X(FindObjectsFinal)        \
  X(EncryptInit) X(Encrypt) X(EncryptUpdate) X(EncryptFinal) X(DecryptInit) X(Decrypt) X(DecryptUpdate)  \
  X(DecryptFinal) X(DigestInit) X(Digest) X(DigestUpdate) X(DigestKey) X(DigestFinal) X(SignInit)        \
  X(Sign) X(SignUpdate) X(SignFinal) X(SignRecoverInit) X(SignRecover) X(VerifyInit) X(Verify)           \
  X(VerifyUpdate) X(VerifyFinal) X(VerifyRecoverInit) X(VerifyRecover) X(DigestEncryptUpdate)            \
  X(DecryptDigestUpdate) X(SignEncryptUpdate) X(DecryptVerifyUpdate) X(GenerateKey) X(GenerateKeyPair)   \
  X(WrapKey) X(UnwrapKey) X(DeriveKey) X(SeedRandom) X(GenerateRandom) X(GetFunctionStatus)              \
  X(CancelFunction) X(WaitForSlotEvent)

#define QELT_DECLARE_NAME(name) constexpr char kName##name[] = "C_" #name;
QELT_ALL_PKCS11_FUNCTIONS(QELT_DECLARE_NAME)
#undef QELT_DECLARE_NAME

// Every other function of the list: not supported, logged without its
// arguments (a PIN among them is never shown).
template <const char* Name, typename Function>
struct Unsupported;
template <const char* Name, typename... Args>
struct Unsupported<Name, CK_RV (*)(Args...)> {
  static CK_RV call(Args...) { return TokenCallLog(Name).unknown().result(CKR_FUNCTION_NOT_SUPPORTED); }
};

CK_FUNCTION_LIST makeFunctionList() {
  CK_FUNCTION_LIST list;
  std::memset(&list, 0, sizeof list);
  list.version.major = 2;
  list.version.minor = 40;
#define QELT_SET_UNSUPPORTED(name) list.C_##name = &Unsupported<kName##name, CK_C_##name>::call;
  QELT_ALL_PKCS11_FUNCTIONS(QELT_SET_UNSUPPORTED)
#undef QELT_SET_UNSUPPORTED
  list.C_Initialize = C_Initialize;
  list.C_Finalize = C_Finalize;
  list.C_GetInfo = C_GetInfo;
  list.C_GetFunctionList = C_GetFunctionList;
  list.C_GetSlotList = C_GetSlotList;
  list.C_GetSlotInfo = C_GetSlotInfo;
  list.C_GetTokenInfo = C_GetTokenInfo;
  list.C_OpenSession = C_OpenSession;
  list.C_CloseSession = C_CloseSession;
  list.C_CloseAllSessions = C_CloseAllSessions;
  list.C_GetSessionInfo = C_GetSessionInfo;
  list.C_FindObjectsInit = C_FindObjectsInit;
  list.C_FindObjects = C_FindObjects;
  list.C_FindObjectsFinal = C_FindObjectsFinal;
  list.C_GetAttributeValue = C_GetAttributeValue;
  return list;
}

CK_FUNCTION_LIST* functionList() {
  static CK_FUNCTION_LIST list = makeFunctionList();
  return &list;
}

}  // namespace

// The exported functions: each call is logged with its arguments, its result
// and what it handed back.
extern "C" {

CK_RV C_Initialize(CK_VOID_PTR initArgs) {
  TokenCallLog log("C_Initialize");
  log.initArgs(initArgs);
  return log.result(doInitialize(initArgs));
}

CK_RV C_Finalize(CK_VOID_PTR reserved) {
  TokenCallLog log("C_Finalize");
  log.pointer(reserved);
  return log.result(doFinalize(reserved));
}

CK_RV C_GetInfo(CK_INFO_PTR info) {
  TokenCallLog log("C_GetInfo");
  log.pointer(info);
  return log.result(doGetInfo(info));
}

CK_RV C_GetFunctionList(CK_FUNCTION_LIST_PTR_PTR list) {
  TokenCallLog log("C_GetFunctionList");
  log.pointer(list);
  const CK_RV rv = doGetFunctionList(list);
  if (rv == CKR_OK && list) log.output("list", *list ? "table" : "null");
  return log.result(rv);
}

CK_RV C_GetSlotList(CK_BBOOL tokenPresent, CK_SLOT_ID_PTR slots, CK_ULONG_PTR count) {
  TokenCallLog log("C_GetSlotList");
  const CK_ULONG capacity = count ? *count : 0;
  log.boolean(tokenPresent).pointer(slots).count(count);
  const CK_RV rv = doGetSlotList(tokenPresent, slots, count);
  if (count && (rv == CKR_OK || rv == CKR_BUFFER_TOO_SMALL)) log.outputNumber("count", *count);
  // A faulted count may exceed what was written: only the caller's room is read.
  if (rv == CKR_OK && slots && count) log.outputList("slots", slots, *count < capacity ? *count : capacity);
  return log.result(rv);
}

CK_RV C_GetSlotInfo(CK_SLOT_ID slotId, CK_SLOT_INFO_PTR info) {
  TokenCallLog log("C_GetSlotInfo");
  log.number(slotId).pointer(info);
  const CK_RV rv = doGetSlotInfo(slotId, info);
  if (rv == CKR_OK && info) log.outputHex("flags", info->flags);
  return log.result(rv);
}

CK_RV C_GetTokenInfo(CK_SLOT_ID slotId, CK_TOKEN_INFO_PTR info) {
  TokenCallLog log("C_GetTokenInfo");
  log.number(slotId).pointer(info);
  const CK_RV rv = doGetTokenInfo(slotId, info);
  if (rv == CKR_OK && info) log.outputHex("flags", info->flags);
  return log.result(rv);
}

CK_RV C_OpenSession(CK_SLOT_ID slotId, CK_FLAGS flags, CK_VOID_PTR application, CK_NOTIFY notify,
                    CK_SESSION_HANDLE_PTR session) {
  TokenCallLog log("C_OpenSession");
  log.number(slotId).hex(flags).pointer(application).pointer(notify != nullptr).pointer(session);
  const CK_RV rv = doOpenSession(slotId, flags, application, notify, session);
  if (rv == CKR_OK && session) log.outputNumber("session", *session);
  return log.result(rv);
}

CK_RV C_CloseSession(CK_SESSION_HANDLE handle) {
  TokenCallLog log("C_CloseSession");
  log.number(handle);
  return log.result(doCloseSession(handle));
}

CK_RV C_CloseAllSessions(CK_SLOT_ID slotId) {
  TokenCallLog log("C_CloseAllSessions");
  log.number(slotId);
  return log.result(doCloseAllSessions(slotId));
}

CK_RV C_GetSessionInfo(CK_SESSION_HANDLE handle, CK_SESSION_INFO_PTR info) {
  TokenCallLog log("C_GetSessionInfo");
  log.number(handle).pointer(info);
  const CK_RV rv = doGetSessionInfo(handle, info);
  if (rv == CKR_OK && info) log.outputNumber("slot", info->slotID).outputNumber("state", info->state);
  return log.result(rv);
}

CK_RV C_FindObjectsInit(CK_SESSION_HANDLE handle, CK_ATTRIBUTE_PTR search, CK_ULONG count) {
  TokenCallLog log("C_FindObjectsInit");
  log.number(handle).attributes(search, count).number(count);
  return log.result(doFindObjectsInit(handle, search, count));
}

CK_RV C_FindObjects(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE_PTR objects, CK_ULONG capacity,
                    CK_ULONG_PTR count) {
  TokenCallLog log("C_FindObjects");
  log.number(handle).pointer(objects).number(capacity).pointer(count);
  const CK_RV rv = doFindObjects(handle, objects, capacity, count);
  if (rv == CKR_OK && count) {
    log.outputNumber("count", *count);
    // A faulted count may exceed what was written: only the caller's room is read.
    if (objects) log.outputList("objects", objects, *count < capacity ? *count : capacity);
  }
  return log.result(rv);
}

CK_RV C_FindObjectsFinal(CK_SESSION_HANDLE handle) {
  TokenCallLog log("C_FindObjectsFinal");
  log.number(handle);
  return log.result(doFindObjectsFinal(handle));
}

CK_RV C_GetAttributeValue(CK_SESSION_HANDLE handle, CK_OBJECT_HANDLE objectHandle, CK_ATTRIBUTE_PTR attributes,
                          CK_ULONG count) {
  TokenCallLog log("C_GetAttributeValue");
  log.number(handle).number(objectHandle).attributes(attributes, count).number(count);
  const CK_RV rv = doGetAttributeValue(handle, objectHandle, attributes, count);
  if (attributes && (rv == CKR_OK || rv == CKR_ATTRIBUTE_TYPE_INVALID || rv == CKR_BUFFER_TOO_SMALL)) {
    log.outputLengths(attributes, count);
  }
  return log.result(rv);
}

}  // extern "C"
