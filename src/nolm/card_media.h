// Where a key can lie besides a folder: the card readers, the card in the
// current reader, the plastic card.
#pragma once

#include "card_key_table.h"
#include "reader_list.h"

// Fills the reader list (at most kMostReaders). The current reader name holds
// the last name the library gave.
void collectReaders();
// Makes name the current reader, passed to every card function.
void chooseReader(const char* name);

// Reads the table of keys of the card in the current reader into
// cardKeyTable (emptied first). The library's result code.
int readCardKeyTable();

constexpr int kMostPlasticCardKeys = 100;
using KeyNameText = char[9];  // 8 characters and a zero
// The keys on the plastic card. False, with the reason shown, when the card
// cannot be read.
bool listPlasticCardKeys(KeyNameText (&names)[kMostPlasticCardKeys], int* count);
