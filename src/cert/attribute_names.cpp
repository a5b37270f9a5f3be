#include "attribute_names.h"

#include <cstring>

namespace {

struct AttributeName {
  char shortName[8];
  const char* oid;
};

const AttributeName kAttributeNames[] = {
    {"CN", "2.5.4.3"},
    {"SN", "2.5.4.4"},
    {"C", "2.5.4.6"},
    {"L", "2.5.4.7"},
    {"ST", "2.5.4.8"},
    {"O", "2.5.4.10"},
    {"OU", "2.5.4.11"},
    {"T", "2.5.4.12"},
    {"G", "2.5.4.42"},
    {"I", "2.5.4.43"},
    {"DC", "0.9.2342.19200300.100.1.25"},
    {"E", "1.2.840.113549.1.9.1"},
    {"STREET", "2.5.4.9"},
};

}  // namespace

const char* attributeOidByName(const char* shortName) {
  if (!shortName) return nullptr;
  for (const AttributeName& entry : kAttributeNames)
    if (std::strcmp(entry.shortName, shortName) == 0) return entry.oid;
  return nullptr;
}
