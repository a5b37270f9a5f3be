// nolm32.dll: what nolmcc.dll answers — card readers and the keys on their
// cards. Exported as Standin<name>; nolmcc.dll forwards its calls here.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "call_log.h"
#include "key_request.h"
#include "messages.h"
#include "password_field.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

constexpr int kReaderNameSize = 1024;  // the plug-in's current reader name
constexpr std::size_t kCardKeyTableEntries = 31;
constexpr std::size_t kCardKeyEntrySize = 14;

// The reader a name selects (the empty name: the first reader) with a card
// in it; null with the error code otherwise.
Reader* readerWithCard(World& world, const char* name, int* error) {
  if (!name) {
    *error = kBadArgument;
    return nullptr;
  }
  auto& readers = world.config.readers;
  Reader* found = nullptr;
  if (!*name) {
    if (!readers.empty()) found = &readers.front();
  } else {
    for (Reader& reader : readers) {
      if (reader.name == name) {
        found = &reader;
        break;
      }
    }
  }
  if (!found) {
    *error = kReaderMissing;
    return nullptr;
  }
  if (!found->cardInserted) {
    *error = kNoCardInReader;
    return nullptr;
  }
  return found;
}

CardKey* findCardKey(Reader& reader, const char* name) {
  for (CardKey& key : reader.keys)
    if (key.name == name) return &key;
  return nullptr;
}

int writeReader(World& world, char* buffer, CallLog& call) {
  if (!buffer) return kBadArgument;
  const auto& readers = world.config.readers;
  if (world.nextReader >= readers.size()) return kNoMoreReaders;
  std::snprintf(buffer, kReaderNameSize, "%s", readers[world.nextReader].name.c_str());
  ++world.nextReader;
  call.output("reader", quoted(buffer));
  return 0;
}

}  // namespace

extern "C" {

NOLM_EXPORT StandinNolmLoadSecKeyCC(char* keyName, char* password, char* zeroField, int zero,
                                    char* reader) {
  World& world = currentWorld();
  CallLog call("NolmLoadSecKeyCC");
  call.text(keyName).field(password).field(zeroField).integer(zero).text(reader);
  return call.result(unlessOverridden(world, "NolmLoadSecKeyCC", [&]() -> int {
    int error = 0;
    Reader* card = readerWithCard(world, reader, &error);
    if (!card) return error;
    if (!keyName || !password) return kBadArgument;
    CardKey* key = findCardKey(*card, keyName);
    if (!key) return kCardKeyMissing;
    return key->passwordField == fieldAt(password) ? 0 : kWrongPassword;
  }));
}

NOLM_EXPORT StandinNolmFindFirstRdr(char* readerName, int mode) {
  World& world = currentWorld();
  CallLog call("NolmFindFirstRdr");
  call.buffer(readerName).integer(mode);
  return call.result(unlessOverridden(world, "NolmFindFirstRdr", [&] {
    world.nextReader = 0;
    return writeReader(world, readerName, call);
  }));
}

NOLM_EXPORT StandinNolmFindNextRdr(char* readerName) {
  World& world = currentWorld();
  CallLog call("NolmFindNextRdr");
  call.buffer(readerName);
  return call.result(unlessOverridden(world, "NolmFindNextRdr",
                                      [&] { return writeReader(world, readerName, call); }));
}

NOLM_EXPORT StandinNolmChangePswCC(char* keyName, char* oldPassword, char* newPassword, int zero,
                                   char* reader) {
  World& world = currentWorld();
  CallLog call("NolmChangePswCC");
  call.text(keyName).field(oldPassword).field(newPassword).integer(zero).text(reader);
  return call.result(unlessOverridden(world, "NolmChangePswCC", [&]() -> int {
    int error = 0;
    Reader* card = readerWithCard(world, reader, &error);
    if (!card) return error;
    if (!keyName || !oldPassword || !newPassword) return kBadArgument;
    CardKey* key = findCardKey(*card, keyName);
    if (!key) return kCardKeyMissing;
    if (key->passwordField != fieldAt(oldPassword)) return kWrongPassword;
    key->passwordField = fieldAt(newPassword);
    return 0;
  }));
}

NOLM_EXPORT StandinKeyGenXCC(char* keyName, char* request, char* password, char* random,
                             int zero, char* reader) {
  World& world = currentWorld();
  CallLog call("KeyGenXCC");
  call.text(keyName).buffer(request).field(password).field(random).integer(zero).text(reader);
  return call.result(unlessOverridden(world, "KeyGenXCC", [&]() -> int {
    int error = 0;
    Reader* card = readerWithCard(world, reader, &error);
    if (!card) return error;
    if (!keyName || !*keyName || !request || !password || !random) return kBadArgument;
    CardKey* key = findCardKey(*card, keyName);
    if (!key) {
      if (card->keys.size() >= kCardKeyTableEntries) return kCardFull;
      card->keys.push_back(CardKey{keyName, ""});
      key = &card->keys.back();
    }
    key->passwordField = fieldAt(password);
    std::string made =
        keyRequest(keyName, std::string(random, strnlen(random, 32)), reader);
    std::memcpy(request, made.data(), made.size());
    call.output("request", "hex:" + hexOf(made));
    return 0;
  }));
}

NOLM_EXPORT StandinNCCchangePIN(char* reader, char* oldPin, char* newPin) {
  World& world = currentWorld();
  CallLog call("NCCchangePIN");
  call.text(reader).field(oldPin).field(newPin);
  return call.result(unlessOverridden(world, "NCCchangePIN", [&]() -> int {
    int error = 0;
    Reader* card = readerWithCard(world, reader, &error);
    if (!card) return error;
    if (!oldPin || !newPin) return kBadArgument;
    if (card->pinField != fieldAt(oldPin)) return kWrongCardPin;
    card->pinField = fieldAt(newPin);
    return 0;
  }));
}

NOLM_EXPORT StandinNCCgetFileList(char* reader, void* keyTable) {
  World& world = currentWorld();
  CallLog call("NCCgetFileList");
  call.text(reader).buffer(keyTable);
  return call.result(unlessOverridden(world, "NCCgetFileList", [&]() -> int {
    int error = 0;
    Reader* card = readerWithCard(world, reader, &error);
    if (!card) return error;
    if (!keyTable) return kBadArgument;
    unsigned char* table = static_cast<unsigned char*>(keyTable);
    std::size_t entries = card->keys.size() < kCardKeyTableEntries ? card->keys.size()
                                                                    : kCardKeyTableEntries;
    for (std::size_t i = 0; i < entries; ++i) {
      unsigned char* entry = table + 4 + i * kCardKeyEntrySize;
      std::memset(entry, 0, kCardKeyEntrySize);
      const std::string& name = card->keys[i].name;
      std::memcpy(entry, name.data(),
                  name.size() < kCardKeyEntrySize - 1 ? name.size() : kCardKeyEntrySize - 1);
    }
    std::int32_t count = card->reportedCount ? *card->reportedCount
                                             : static_cast<std::int32_t>(entries);
    std::memcpy(table, &count, sizeof count);
    call.output("count", std::to_string(count));
    return 0;
  }));
}

NOLM_EXPORT StandinNolmSecKeyInfoCC() {
  World& world = currentWorld();
  CallLog call("NolmSecKeyInfoCC");
  return call.result(unlessOverridden(world, "NolmSecKeyInfoCC", [] { return 0; }));
}

NOLM_EXPORT StandinNCCgetRnd() {
  World& world = currentWorld();
  CallLog call("NCCgetRnd");
  return call.result(unlessOverridden(world, "NCCgetRnd", [] { return 0; }));
}
}
