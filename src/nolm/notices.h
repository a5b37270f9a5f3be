// One funnel for everything the binding and the dialogs have to tell the
// user: failures, expiry warnings, information. The plug-in decides how a
// notice reaches the user (a message box with no owner window).
#pragma once

#include <cstddef>

enum class NoticeKind { kError, kWarning, kInformation };

struct Notice {
  NoticeKind kind;
  // The library's or the card's result code, a Windows error code, or 0.
  int code;
  const wchar_t* text;
  // Null: the system's default caption.
  const wchar_t* caption;
};

using NoticeSink = void (*)(const Notice& notice);
void setNoticeSink(NoticeSink sink);

void notify(const Notice& notice);
// The plug-in's and the library's texts are Windows-1251.
void notify1251(NoticeKind kind, int code, const char* text, const char* caption = nullptr);
inline void notifyError(const char* text) { notify1251(NoticeKind::kError, 0, text); }

// Formats into UTF-16: format is Windows-1251 text, every string argument is
// UTF-16 (%ls). At most capacity - 1 units and a zero.
void formatNotice(wchar_t* out, std::size_t capacity, const char* format, ...);
