// Every message box of the plug-in: no owner window.
#pragma once

// Error icon, the system's default caption.
void showError(const char* text);
// Error icon with a caption of its own.
void showErrorWithCaption(const char* text, const char* caption);
// Warning icon with a caption.
void showWarning(const char* text, const char* caption);
// Information icon, the system's default caption.
void showInformation(const char* text);
