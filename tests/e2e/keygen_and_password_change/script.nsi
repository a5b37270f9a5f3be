; A new key file generated under the progress window, then its password
; changed through the change dialog; the new password opens it.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${QeltStartProgress} "Генерація ключа"
  ${QeltUpdateProgress} 30 "Генерація..."
  ${QeltKeyGenFile} "NEWKEY01" "старий" "${DATA_DIR}\keys\" $ok
  ${QeltUpdateProgress} 100 "Готово"
  Sleep 500
  ${QeltCloseProgress}
  ${Step} "KeyGenFile [$ok]"
  ${QeltPromptPasswordChange} $a $b
  ${Step} "PromptPasswordChange [$a] [$b]"
  ${QeltChangePasswordFile} "${DATA_DIR}\keys\NEWKEY01.KEY" $a $b $ok
  ${Step} "ChangePasswordFile [$ok]"
  ${QeltLoadKey} $b "${DATA_DIR}\keys" "NEWKEY01.KEY" $ok
  ${Step} "LoadKey with the new password [$ok]"
  ${QeltFreeNolm}
SectionEnd
