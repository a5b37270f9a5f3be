#include "library_errors.h"

#include "nolm_library.h"
#include "notices.h"
#include "render.h"
#include "text_1251.h"
#include "trace.h"

wchar_t libraryMessageShown[kTextBufferSize] = L"";

void fetchLibraryText(int code) {
  libraryMessageText[0] = '\0';
  if (nolm.NolmGetMsgAux) nolm.NolmGetMsgAux(code, libraryMessageText, kTextBufferSize);
  // Whatever the library wrote, the text ends inside the buffer.
  libraryMessageText[kTextBufferSize - 1] = '\0';
  QELT_TRACE("NolmGetMsgAux(%d) = \"%s\"", code, libraryMessageText);
  if (libraryMessageText[0])
    wideFrom1251(libraryMessageText, libraryMessageShown, kTextBufferSize);
  else
    renderText(libraryMessageShown, kTextBufferSize, TextId::library_error, code);
}

void reportLibraryError(int code) {
  fetchLibraryText(code);
  notifyWide(NoticeKind::kError, code, libraryMessageShown);
}
