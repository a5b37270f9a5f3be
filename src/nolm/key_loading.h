// Loading the secret key. A key that loads with an expiry warning counts as
// loaded; the warning is shown.
#pragma once

// The key file directory\file (a separator is added when directory lacks one).
bool loadKeyFromFolder(const char* directory, const char* file, const char* password);
// The key keyName on the card in the current reader.
bool loadKeyFromCard(const char* keyName, const char* password);
