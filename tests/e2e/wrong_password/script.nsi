; A wrong password: the key does not load, the script asks again.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${For} $a 1 3
    ${QeltPromptPassword} $d
    ${QeltLoadKey} $d "${DATA_DIR}\keys" "KEYA0002.KEY" $ok
    ${Step} "try $a [$ok]"
    ${IfThen} $ok == "1" ${|} ${Break} ${|}
  ${Next}
  ${QeltFreeNolm}
SectionEnd
