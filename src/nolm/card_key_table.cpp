#include "card_key_table.h"

CardKeyTable cardKeyTable = {};

int usableCardKeyCount(const CardKeyTable& table) {
  if (table.count <= 0) return 0;
  return table.count > kCardKeyTableEntries ? kCardKeyTableEntries : table.count;
}
