; The Secure Token road: how many tokens, their certificates, an entry cut
; back into owner name and key number.
Name "QeltNSIS token road"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!include LogicLib.nsh

!macro Report key value
  FileWrite $9 "${key}=${value}$\r$\n"
!macroend

Section
  FileOpen $9 "$EXEDIR\result.txt" w

  QeltNSIS::CheckTokenAvtor
  !insertmacro Report "tokens" $0

  QeltNSIS::GetAvtorCertList
  Pop $5
  !insertmacro Report "count" "[$5]"
  IntOp $6 $5 + 0
  ${For} $7 1 $6
    Pop $8
    !insertmacro Report "entry" "[$8]"
  ${Next}

  Push 0
  Push $8
  QeltNSIS::ParseAvtorKey
  !insertmacro Report "key number" "[$R0]"
  Push 1
  Push $8
  QeltNSIS::ParseAvtorKey
  !insertmacro Report "owner" "[$R0]"

  FileClose $9
SectionEnd
