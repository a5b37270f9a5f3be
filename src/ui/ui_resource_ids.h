// Dialog templates and control ids, shared by the resource script and the
// dialog procedures.
#pragma once

#define IDD_PASSWORD 101
#define IDD_PASSWORD_CHANGE 102
#define IDD_KEY_CHOICE 103
#define IDD_DEVICE_CHOICE 105

// The password dialog (101) uses the standard ids 1 and 2 for its buttons;
// the password change dialog (102) has buttons of its own.
#define IDC_CHANGE_OK 3
#define IDC_CHANGE_CANCEL 4

#define IDC_SECRET_EDIT 1001
#define IDC_NEW_SECRET_EDIT 1002
#define IDC_REPEATED_SECRET_EDIT 1003

// The key and device choice dialogs.
#define IDC_CHOICE_LIST 1002

// The host executable's icon, shown in the progress window.
#define IDI_HOST_ICON 103
