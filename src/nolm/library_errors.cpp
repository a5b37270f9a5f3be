#include "library_errors.h"

#include "format_text.h"

#include "nolm_library.h"
#include "notices.h"
#include "trace.h"

void fetchLibraryText(int code) {
  libraryMessageText[0] = '\0';
  if (nolm.NolmGetMsgAux) nolm.NolmGetMsgAux(code, libraryMessageText, kTextBufferSize);
  // Whatever the library wrote, the text ends inside the buffer.
  libraryMessageText[kTextBufferSize - 1] = '\0';
  QELT_TRACE("NolmGetMsgAux(%d) = \"%s\"", code, libraryMessageText);
  if (!libraryMessageText[0])
    formatText(libraryMessageText, sizeof libraryMessageText,
                  "Помилка бібліотеки НОЛМ (код %d).", code);
}

void reportLibraryError(int code) {
  fetchLibraryText(code);
  notify1251(NoticeKind::kError, code, libraryMessageText);
}
