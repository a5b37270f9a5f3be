#include "dialog_template.h"

#include <cstring>

namespace {

class Reader {
 public:
  explicit Reader(const BYTE* data) : p_(data), start_(data) {}
  WORD word() {
    WORD w;
    std::memcpy(&w, p_, 2);
    p_ += 2;
    return w;
  }
  DWORD dword() {
    DWORD d;
    std::memcpy(&d, p_, 4);
    p_ += 4;
    return d;
  }
  short signedWord() { return static_cast<short>(word()); }
  BYTE byte() { return *p_++; }
  std::wstring wideText() {
    std::wstring text;
    for (WORD c = word(); c; c = word()) text.push_back(static_cast<wchar_t>(c));
    return text;
  }
  // A name or an ordinal: 0 none, 0xFFFF then the ordinal, else a text.
  std::wstring nameOrOrdinal(int* ordinal) {
    *ordinal = -1;
    WORD first = word();
    if (first == 0) return L"";
    if (first == 0xFFFF) {
      *ordinal = word();
      return L"";
    }
    p_ -= 2;
    return wideText();
  }
  void alignToDword() {
    while ((p_ - start_) % 4) ++p_;
  }
  void skip(size_t n) { p_ += n; }

 private:
  const BYTE* p_;
  const BYTE* start_;
};

std::string toAnsi(const std::wstring& text) {
  if (text.empty()) return "";
  int size = WideCharToMultiByte(1251, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(1251, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size - 1));
  return out;
}

std::string predefinedClass(int ordinal) {
  switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
  }
  return "#" + std::to_string(ordinal);
}

}  // namespace

DialogTemplate readDialogTemplate(HMODULE module, int id, LANGID language) {
  DialogTemplate t;
  HRSRC resource = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
  if (!resource) return t;
  auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  if (!data) return t;
  Reader r(data);
  if (r.word() != 1 || r.word() != 0xFFFF) return t;  // not DIALOGEX
  t.found = true;
  r.dword();  // help id
  t.exStyle = r.dword();
  t.style = r.dword();
  int count = r.word();
  t.x = r.signedWord();
  t.y = r.signedWord();
  t.width = r.signedWord();
  t.height = r.signedWord();
  int ordinal;
  r.nameOrOrdinal(&ordinal);  // menu
  r.nameOrOrdinal(&ordinal);  // class
  t.caption = toAnsi(r.wideText());
  if (t.style & DS_SETFONT) {
    t.pointSize = r.word();
    t.weight = r.word();
    t.italic = r.byte();
    t.charset = r.byte();
    t.typeface = toAnsi(r.wideText());
  }
  for (int i = 0; i < count; ++i) {
    r.alignToDword();
    TemplateItem item;
    r.dword();  // help id
    item.exStyle = r.dword();
    item.style = r.dword();
    item.x = r.signedWord();
    item.y = r.signedWord();
    item.width = r.signedWord();
    item.height = r.signedWord();
    item.id = static_cast<int>(r.dword());
    std::wstring name = r.nameOrOrdinal(&ordinal);
    item.className = ordinal >= 0 ? predefinedClass(ordinal) : toAnsi(name);
    std::wstring text = r.nameOrOrdinal(&ordinal);
    item.text = toAnsi(text);
    r.skip(r.word());  // creation data
    t.items.push_back(item);
  }
  return t;
}
