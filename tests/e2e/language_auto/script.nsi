; "auto" follows $LANGUAGE at every command: Ukrainian (1058), English
; (1033), and the default texts for any other language (1049).
!include "${E2E_DIR}\e2e.nsh"

!macro Road LANGID
  StrCpy $LANGUAGE ${LANGID}
  ${QeltPromptPassword} $a
  ${QeltLoadKey} $a "${DATA_DIR}" "any.KEY" $ok
  ${Step} "${LANGID}: LoadKey [$a] [$ok]"
!macroend

Section
  ${QeltLanguage} "auto"
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  !insertmacro Road 1058
  !insertmacro Road 1033
  !insertmacro Road 1049
  ${QeltFreeNolm}
SectionEnd
