// The dialog procedures that fill the key choice and device choice dialogs.
#pragma once

#include <windows.h>

// Key files of the folder named by the key-medium marker.
INT_PTR CALLBACK folderKeyListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Keys of the plastic card ("PLC:").
INT_PTR CALLBACK plasticCardKeyListProcedure(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);
// The card key table of the card in the current reader.
INT_PTR CALLBACK cardFileListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The readers found by CheckToken.
INT_PTR CALLBACK readerChoiceListProcedure(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam);
