#include "dialog_texts.h"

#include "render.h"
#include "ui_resource_ids.h"

namespace {

constexpr int kMostLabels = 3;
constexpr TextId kNoLabel = TextId::kCount;
constexpr std::size_t kTextUnits = 512;
// The templates' margin, in dialog units.
constexpr int kMargin = 7;

struct DialogWords {
  int templateId;
  TextId caption;
  TextId labels[kMostLabels];  // in the template's order
  int okId;
  int cancelId;
  TextId cancel;
};

const DialogWords kDialogs[] = {
    {IDD_PASSWORD, TextId::password_caption, {TextId::password_label, kNoLabel, kNoLabel}, IDOK,
     IDCANCEL, TextId::password_cancel_button},
    {IDD_PASSWORD_CHANGE,
     TextId::change_caption,
     {TextId::change_current_label, TextId::change_new_label, TextId::change_repeat_label},
     IDC_CHANGE_OK,
     IDC_CHANGE_CANCEL,
     TextId::password_cancel_button},
    {IDD_KEY_CHOICE, TextId::key_choice_caption, {TextId::key_choice_label, kNoLabel, kNoLabel}, IDOK,
     IDCANCEL, TextId::list_cancel_button},
    {IDD_DEVICE_CHOICE, TextId::device_choice_caption, {TextId::device_choice_label, kNoLabel, kNoLabel},
     IDOK, IDCANCEL, TextId::list_cancel_button},
};

const DialogWords* wordsOf(int templateId) {
  for (const DialogWords& words : kDialogs)
    if (words.templateId == templateId) return &words;
  return nullptr;
}

void setText(HWND window, TextId id) {
  wchar_t text[kTextUnits];
  renderText(text, kTextUnits, id);
  SetWindowTextW(window, text);
}

// Widens label, when its text needs it, up to the dialog's right margin.
void fitLabel(HWND dialog, HWND label) {
  wchar_t text[kTextUnits];
  int length = GetWindowTextW(label, text, kTextUnits);
  HDC dc = GetDC(label);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE needed = {};
  GetTextExtentPoint32W(dc, text, length, &needed);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT at;
  GetWindowRect(label, &at);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&at), 2);
  if (needed.cx <= at.right - at.left) return;
  RECT margin = {0, 0, kMargin, 0};
  MapDialogRect(dialog, &margin);
  RECT client;
  GetClientRect(dialog, &client);
  int width = client.right - margin.right - at.left;
  if (width > needed.cx) width = needed.cx;
  if (width > at.right - at.left)
    SetWindowPos(label, nullptr, 0, 0, width, at.bottom - at.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void dialogCaption(int templateId, wchar_t* out, std::size_t capacity) {
  const DialogWords* words = wordsOf(templateId);
  if (words) renderText(out, capacity, words->caption);
  else if (capacity) out[0] = L'\0';
}

void showDialogTexts(HWND dialog, int templateId) {
  const DialogWords* words = wordsOf(templateId);
  if (!words) return;
  setText(dialog, words->caption);
  setText(GetDlgItem(dialog, words->okId), TextId::ok_button);
  setText(GetDlgItem(dialog, words->cancelId), words->cancel);
  // The labels have no ids of their own: they are the template's statics,
  // in its order.
  int label = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD);
       child && label < kMostLabels && words->labels[label] != kNoLabel;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id != -1 && id != 0xFFFF) continue;
    setText(child, words->labels[label++]);
    fitLabel(dialog, child);
  }
}
