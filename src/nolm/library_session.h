// Opening and closing the library with its configuration.
#pragma once

// Hands the library its work buffer and checks its database. The library's
// version on success; false, with the reason shown, otherwise.
bool checkNolmDatabase(int* version);
// Opens the library with dataDirectory's nolm.cfg.
bool openNolm(const char* dataDirectory);
void closeNolm();
