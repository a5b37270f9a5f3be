// Changing a key's password and a card's PIN. Each is true when the change
// was made; otherwise the reason has been shown.
#pragma once

bool changeCardKeyPassword(const char* keyName, const char* oldPassword, const char* newPassword);
bool changeKeyFilePassword(const char* keyLocation, const char* oldPassword,
                           const char* newPassword);
// The PIN of the plastic card, or of the card in the current reader.
bool changePin(bool plasticCard, const char* oldPin, const char* newPin);
