; A wrong PIN on the plastic card.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${QeltChangePin} "PLC:" "0000" "5678" $ok
  ${Step} "ChangePin wrong PIN [$ok]"
  ${QeltChangePin} "PLC:" "1234" "5678" $ok
  ${Step} "ChangePin [$ok]"
  ${QeltFreeNolm}
SectionEnd
