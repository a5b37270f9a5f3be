// The password dialog (101) and the password change dialog (102).
#pragma once

#include <windows.h>

// Every field is read with room for 255 characters.
constexpr int kSecretFieldSize = 256;
using SecretText = wchar_t[kSecretFieldSize];

// True on OK, with the password typed; false on Cancel, Esc or the close box
// (password then empty). OK is enabled only while the field is not empty.
bool askPassword(HWND owner, SecretText& password);

// True on OK, with the current value and the new one. OK is enabled only with
// all three fields filled and the new value repeated exactly.
bool askPasswordChange(HWND owner, SecretText& current, SecretText& newValue);
