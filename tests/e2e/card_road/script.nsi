; A key on a card: the user chooses the reader and the key, types the
; password; the key loads from the card.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${QeltCheckToken} $ok $text
  ${Step} "CheckToken [$ok] [$text]"
  ${QeltReadTokenKey} $text $a $b $c $d
  ${Step} "ReadTokenKey [$a] [$b] [$c] [$d]"
  ${QeltPromptPassword} $d
  ${QeltLoadKeyCC} $d $c $ok
  ${Step} "LoadKeyCC [$ok]"
  ${QeltFreeNolm}
SectionEnd
