// Reading password and PIN edits, and wiping what held them.
#pragma once

#include <windows.h>

// Every field is read with a 256-byte buffer: at most 255 characters.
constexpr int kSecretFieldSize = 256;

// Reads the edit's text, cut to kSecretFieldSize - 1 characters.
void readSecretField(HWND dialog, int id, char (&text)[kSecretFieldSize]);

// Reads the edit into the shared message buffer, hands it to host variable
// index and wipes the message buffer again.
void passSecretField(HWND dialog, int id, int variableIndex);
