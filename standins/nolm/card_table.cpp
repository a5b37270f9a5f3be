#include "card_table.h"

#include <cstdio>
#include <cstring>

#include "call_log.h"
#include "messages.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

constexpr std::size_t kRecordSize = 20;
constexpr std::size_t kMaxPinLength = 32;

int NOLM_CALL openCard(const char* pin, int flag) {
  World& world = currentWorld();
  CallLog call("card.open");
  call.text(pin).integer(flag);
  return call.result(unlessOverridden(world, "card.open", [&]() -> int {
    const PlasticCard& card = world.config.plasticCard;
    if (!card.present) return kCardNotPresent;
    if (pin && card.pin != pin) return kCardPinIncorrect;  // no PIN: opened for listing
    world.plasticCardOpen = true;
    return 0;
  }));
}

int NOLM_CALL changePin(const char* oldPin, const char* newPin) {
  World& world = currentWorld();
  CallLog call("card.changePIN");
  call.text(oldPin).text(newPin);
  return call.result(unlessOverridden(world, "card.changePIN", [&]() -> int {
    PlasticCard& card = world.config.plasticCard;
    if (!card.present) return kCardNotPresent;
    if (!oldPin || !newPin) return kCardBadArguments;
    if (!world.plasticCardOpen) return kCardNotOpen;
    if (card.pin != oldPin) return kCardPinIncorrect;
    std::size_t length = std::strlen(newPin);
    if (length == 0 || length > kMaxPinLength) return kCardPinLengthRange;
    card.pin = newPin;
    return 0;
  }));
}

int NOLM_CALL listKeys(void* records, int* count) {
  World& world = currentWorld();
  CallLog call("card.list");
  call.buffer(records).count(count);
  return call.result(unlessOverridden(world, "card.list", [&]() -> int {
    const PlasticCard& card = world.config.plasticCard;
    if (!card.present) return kCardNotPresent;
    if (!records || !count) return kCardBadArguments;
    if (!world.plasticCardOpen) return kCardNotOpen;
    std::size_t capacity = *count > 0 ? static_cast<std::size_t>(*count) : 0;
    std::size_t written = card.keys.size() < capacity ? card.keys.size() : capacity;
    for (std::size_t i = 0; i < written; ++i) {
      unsigned char* record = static_cast<unsigned char*>(records) + i * kRecordSize;
      std::memset(record, 0, kRecordSize);
      const std::string& name = card.keys[i];
      std::memcpy(record, name.data(), name.size() < kRecordSize - 1 ? name.size() : kRecordSize - 1);
    }
    *count = card.reportedCount ? *card.reportedCount : static_cast<int>(written);
    call.output("count", std::to_string(*count));
    return 0;
  }));
}

int NOLM_CALL closeCard() {
  World& world = currentWorld();
  CallLog call("card.close");
  return call.result(unlessOverridden(world, "card.close", [&] {
    world.plasticCardOpen = false;
    return 0;
  }));
}

// Entries the plug-in does not use: logged as card.slot<N>() and answer 0.
template <int slot>
int NOLM_CALL unusedSlot() {
  char name[32];
  std::snprintf(name, sizeof name, "card.slot%d", slot);
  currentWorld();
  return CallLog(name).result(0);
}

template <typename Function>
void* entry(Function function) {
  return reinterpret_cast<void*>(function);
}

void* table[16] = {
    entry(unusedSlot<0>),  entry(unusedSlot<1>),  entry(openCard),       entry(changePin),
    entry(listKeys),       entry(unusedSlot<5>),  entry(unusedSlot<6>),  entry(unusedSlot<7>),
    entry(unusedSlot<8>),  entry(closeCard),      entry(unusedSlot<10>), entry(unusedSlot<11>),
    entry(unusedSlot<12>), entry(unusedSlot<13>), entry(unusedSlot<14>), entry(unusedSlot<15>),
};

}  // namespace

void** plasticCardTable() { return table; }
