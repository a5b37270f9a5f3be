; An unreadable token certificate ends the reading of its token (the
; certificates before it stay); a certificate without a value is left out;
; the next token is still read.
!include "${E2E_DIR}\e2e.nsh"
Section
  ${QeltCheckTokenAvtor} $ok
  ${Step} "CheckTokenAvtor [$ok]"
  ${QeltGetAvtorCertList} $ok
  ${Step} "GetAvtorCertList [$ok]"
  ${For} $d 1 $ok
    Pop $c
    ${Step} "entry [$c]"
  ${Next}
SectionEnd
