// One funnel for everything the binding and the dialogs have to tell the
// user: failures, expiry warnings, information. The plug-in decides how a
// notice reaches the user (a message box with no owner window).
#pragma once

#include <cstddef>

enum class NoticeKind {
  kError,
  kWarning,
  kInformation,
  kSilentFailure,  // a failure the user is not told of (the script may ask)
  kNote,           // not a failure, but the script should be able to know
};

// The plug-in's own failure codes, beside the library's and the cards'
// result codes and Windows error codes; kept apart from both by their range.
constexpr int kCodeRefusedText = 9001;        // a text the target code page cannot hold
constexpr int kCodeTooLong = 9002;            // a path or name longer than the plug-in can pass on
constexpr int kCodeRequestUnsaved = 9003;     // a key was generated, its request not written
constexpr int kCodeCancelled = 9004;          // the user left a dialog without a choice
constexpr int kCodeNoFunction = 9005;         // the library lacks a function the command needs
constexpr int kCodeNoRandom = 9006;           // the system gave no random data
constexpr int kCodeNoRequest = 9007;          // no kept request to save
constexpr int kCodeSimulator = 9008;          // the test kit's simulator was loaded, not the library

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
inline void notifyError(int code, const char* text) { notify1251(NoticeKind::kError, code, text); }

// Formats into UTF-16: format is Windows-1251 text, every string argument is
// UTF-16 (%ls). At most capacity - 1 units and a zero.
void formatNotice(wchar_t* out, std::size_t capacity, const char* format, ...);
