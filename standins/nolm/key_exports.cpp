// nolm32.dll: key files — generation, loading and password change.
#include <cstring>
#include <string>

#include "call_log.h"
#include "key_file.h"
#include "messages.h"
#include "password_field.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

// Finds and reads the key file for `location`; 0 or an error code.
int openKeyFile(const char* location, CallLog& call, std::string* path, KeyFile* key) {
  if (!findKeyFile(location, path)) return kKeyFileMissing;
  call.output("file", quoted(*path));
  switch (readKeyFile(*path, key)) {
    case KeyFileStatus::kOk: return 0;
    case KeyFileStatus::kMissing: return kKeyFileMissing;
    case KeyFileStatus::kDamaged: break;
  }
  return kKeyFileDamaged;
}

}  // namespace

extern "C" {

NOLM_EXPORT NolmLoadSecKey(char* keyPath, char* password, char* zeroField, int zero) {
  World& world = currentWorld();
  CallLog call("NolmLoadSecKey");
  call.text(keyPath).field(password).field(zeroField).integer(zero);
  return call.result(unlessOverridden(world, "NolmLoadSecKey", [&]() -> int {
    if (!keyPath || !password) return kBadArgument;
    std::string path;
    KeyFile key;
    if (int error = openKeyFile(keyPath, call, &path, &key)) return error;
    return key.passwordField == fieldAt(password) ? 0 : kWrongPassword;
  }));
}

NOLM_EXPORT KeyGenX(char* keyName, const char* keyDirectory, char* password, char* random,
                    int zero) {
  World& world = currentWorld();
  CallLog call("KeyGenX");
  call.text(keyName).text(keyDirectory).field(password).field(random).integer(zero);
  return call.result(unlessOverridden(world, "KeyGenX", [&]() -> int {
    if (!keyName || !*keyName || !keyDirectory || !password || !random) return kBadArgument;
    std::string path = keyFilePath(keyDirectory, keyName);
    call.output("file", quoted(path));
    KeyFile key{keyName, fieldAt(password), fieldAt(random)};
    return writeKeyFile(path, key) ? 0 : kKeyFileNotWritten;
  }));
}

NOLM_EXPORT NolmChangePsw(char* keyLocation, char* oldPassword, char* newPassword, int zero) {
  World& world = currentWorld();
  CallLog call("NolmChangePsw");
  call.text(keyLocation).field(oldPassword).field(newPassword).integer(zero);
  return call.result(unlessOverridden(world, "NolmChangePsw", [&]() -> int {
    if (!keyLocation || !oldPassword || !newPassword) return kBadArgument;
    std::string path;
    KeyFile key;
    if (int error = openKeyFile(keyLocation, call, &path, &key)) return error;
    if (key.passwordField != fieldAt(oldPassword)) return kWrongPassword;
    key.passwordField = fieldAt(newPassword);
    return writeKeyFile(path, key) ? 0 : kKeyFileNotWritten;
  }));
}
}
