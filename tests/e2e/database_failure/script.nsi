; The library's database check fails: its own text is shown, nothing opens.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${Step} "OpenNolm [$ok] [$text]"
  ${QeltFreeNolm}
SectionEnd
