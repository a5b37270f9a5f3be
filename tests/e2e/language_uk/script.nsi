; Ukrainian throughout: the password dialog, the secret key's expiry warning
; (Russian by default) and the library's version text.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltLanguage} "uk"
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${Step} "OpenNolm [$ok] [$text]"
  ${QeltPromptPassword} $a
  ${QeltLoadKey} $a "${DATA_DIR}" "any.KEY" $ok
  ${Step} "LoadKey [$a] [$ok]"
  ${QeltFreeNolm}
SectionEnd
