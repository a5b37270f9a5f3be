; The Secure Token: one token, two certificates; the user chooses one.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltCheckTokenAvtor} $ok
  ${Step} "CheckTokenAvtor [$ok]"
  ${QeltReadTokenAvtorKey} $a $b
  ${Step} "ReadTokenAvtorKey [$a] [$b]"
  ${QeltGetAvtorCertList} $ok
  ${Step} "GetAvtorCertList [$ok]"
  ${For} $d 1 $ok
    Pop $c
    ${QeltParseAvtorKey} $c "key" $a
    ${QeltParseAvtorKey} $c "name" $b
    ${Step} "entry [$c] key [$a] name [$b]"
  ${Next}
SectionEnd
