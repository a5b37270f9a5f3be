#include "attribute_names.h"

#include <cstring>

namespace {

struct AttributeName {
  char shortName[8];
  uint8_t length;
  uint8_t oid[10];
};

const AttributeName kAttributeNames[] = {
    {"CN", 3, {0x55, 0x04, 0x03}},                                            // 2.5.4.3
    {"SN", 3, {0x55, 0x04, 0x04}},                                            // 2.5.4.4
    {"C", 3, {0x55, 0x04, 0x06}},                                             // 2.5.4.6
    {"L", 3, {0x55, 0x04, 0x07}},                                             // 2.5.4.7
    {"ST", 3, {0x55, 0x04, 0x08}},                                            // 2.5.4.8
    {"O", 3, {0x55, 0x04, 0x0A}},                                             // 2.5.4.10
    {"OU", 3, {0x55, 0x04, 0x0B}},                                            // 2.5.4.11
    {"T", 3, {0x55, 0x04, 0x0C}},                                             // 2.5.4.12
    {"G", 3, {0x55, 0x04, 0x2A}},                                             // 2.5.4.42
    {"I", 3, {0x55, 0x04, 0x2B}},                                             // 2.5.4.43
    {"DC", 10, {0x09, 0x92, 0x26, 0x89, 0x93, 0xF2, 0x2C, 0x64, 0x01, 0x19}},  // 0.9.2342.19200300.100.1.25
    {"E", 9, {0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x09, 0x01}},         // 1.2.840.113549.1.9.1
    {"STREET", 3, {0x55, 0x04, 0x09}},                                        // 2.5.4.9
};

}  // namespace

const uint8_t* attributeOidByName(const char* shortName, size_t* length) {
  if (!shortName) return nullptr;
  for (const AttributeName& entry : kAttributeNames) {
    if (std::strcmp(entry.shortName, shortName) == 0) {
      *length = entry.length;
      return entry.oid;
    }
  }
  return nullptr;
}
