#include "message_boxes.h"

#include <windows.h>

#include "trace.h"

void showNoticeBox(const Notice& notice) {
  UINT icon = notice.kind == NoticeKind::kError     ? MB_ICONERROR
              : notice.kind == NoticeKind::kWarning ? MB_ICONWARNING
                                                    : MB_ICONINFORMATION;
  const int answer = MessageBoxW(nullptr, notice.text, notice.caption, icon);
  QELT_TRACE("answer: %s", answer == IDOK ? "OK" : "closed");
}
