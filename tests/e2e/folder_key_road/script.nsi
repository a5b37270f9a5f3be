; A key file in a folder: the one key is taken without a dialog, the user
; types the password, the key loads, the certificates are listed.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${Step} "InitNolm [$ok]"
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  ${Step} "OpenNolm [$ok] [$text]"
  ${QeltReadFolderKey} "${DATA_DIR}\keys" $a $b $c
  ${Step} "ReadFolderKey [$a] [$b] [$c]"
  ${QeltPromptPassword} $d
  ${Step} "PromptPassword [$d]"
  ${QeltLoadKey} $d "${DATA_DIR}\keys" "$c.KEY" $ok
  ${Step} "LoadKey [$ok]"
  ${QeltGetCertFirstInfo} $a $b $text
  ${Step} "first [$text]"
  ${Do}
    ${QeltGetCertNextInfo} $c $text
    ${Step} "next [$text]"
  ${LoopUntil} $text == "end"
  ${QeltCloseNolm}
  ${QeltFreeNolm}
SectionEnd
