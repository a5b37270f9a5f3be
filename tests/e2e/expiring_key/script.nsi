; The key loads with expiry warnings: the secret key, then the administrator key.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  FileOpen $a "${QELT_TEST_WORLD}" a
  FileSeek $a 0 END
  FileWrite $a "result.NolmLoadSecKey = 3$\r$\n"
  FileClose $a
  ${QeltLoadKey} "x" "${DATA_DIR}" "any.KEY" $ok
  ${Step} "LoadKey secret key expiring [$ok]"
  FileOpen $a "${QELT_TEST_WORLD}" a
  FileSeek $a 0 END
  FileWrite $a "result.NolmLoadSecKey = 4$\r$\n"
  FileClose $a
  ${QeltLoadKey} "x" "${DATA_DIR}" "any.KEY" $ok
  ${Step} "LoadKey administrator key expiring [$ok]"
  ${QeltFreeNolm}
SectionEnd
