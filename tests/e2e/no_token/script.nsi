; No token connected: nothing is shown, the lists are empty.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltCheckTokenAvtor} $ok
  ${Step} "CheckTokenAvtor [$ok]"
  ${QeltGetAvtorCertList} $ok
  ${Step} "GetAvtorCertList [$ok]"
  ${QeltReadTokenAvtorKey} $a $b
  ${Step} "ReadTokenAvtorKey [$a] [$b]"
SectionEnd
