// One funnel for everything the binding and the dialogs have to tell the
// user: failures, expiry warnings, information. The plug-in decides how a
// notice reaches the user (a message box with no owner window).
#pragma once

#include <cstdarg>
#include <cstddef>

#include "text_id.h"

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
constexpr int kCodeUnknownLanguage = 9009;    // Language with a value it does not know
constexpr int kCodeTextRefused = 9010;        // SetText with an unknown id, or other placeholders

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

// The system's default caption, where a caption from the catalogue could go.
constexpr TextId kDefaultCaption = TextId::kCount;
// A text from the catalogue in the current language (or the script's own
// words for it), with its values: an int for each %d, a wide string for each
// %s (texts/render.h).
void notifyText(NoticeKind kind, int code, TextId caption, TextId text, ...);
void notifyError(int code, TextId text, ...);
// A text already whole: the library's own, or one rendered from the catalogue.
void notifyWide(NoticeKind kind, int code, const wchar_t* text, TextId caption = kDefaultCaption);

// Formats into UTF-16: format is Windows-1251 text, every string argument is
// UTF-16 (%ls). At most capacity - 1 units and a zero.
void formatNotice(wchar_t* out, std::size_t capacity, const char* format, ...);
