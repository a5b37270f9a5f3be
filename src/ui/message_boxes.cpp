#include "message_boxes.h"

#include <windows.h>

void showNoticeBox(const Notice& notice) {
  UINT icon = notice.kind == NoticeKind::kError     ? MB_ICONERROR
              : notice.kind == NoticeKind::kWarning ? MB_ICONWARNING
                                                    : MB_ICONINFORMATION;
  MessageBoxW(nullptr, notice.text, notice.caption, icon);
}
