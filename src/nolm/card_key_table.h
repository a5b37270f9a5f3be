// The keys on the card in the current reader, as NCCgetFileList lists them.
// Kept until the next ReadTokenKey; Test shows it again.
#pragma once

#include <cstdint>

constexpr int kCardKeyTableEntries = 31;
constexpr int kCardKeyEntrySize = 14;  // begins with the key name; 8 characters used

struct CardKeyTable {
  int32_t count;
  char entries[kCardKeyTableEntries][kCardKeyEntrySize];
};

extern CardKeyTable cardKeyTable;

// How many entries of the table hold keys: the card module's count, but never
// more than the table's 31 entries, and none for a count of 0 or less.
int usableCardKeyCount(const CardKeyTable& table);
