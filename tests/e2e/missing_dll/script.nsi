; The library folder lacks nolmcc.dll: the user is told, the script stops.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${Step} "InitNolm [$ok]"
  ${If} $ok != "1"
    ${Step} "stopping"
    ${QeltFreeNolm}
    Abort
  ${EndIf}
  ${Step} "not reached"
SectionEnd
