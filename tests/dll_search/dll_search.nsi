; Every command that loads a DLL, in a real installer, with DLLs of the same
; names planted beside it, in the current directory and on PATH. Writes what
; the script saw to result.txt beside the installer.
Name "QeltNSIS DLL search"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!include LogicLib.nsh

!macro Report key value
  FileWrite $9 "${key}=${value}$\r$\n"
!macroend

Section
  FileOpen $9 "$EXEDIR\result.txt" w

  StrCpy $R0 "${LIBRARY_DIR}"
  QeltNSIS::InitNolm
  !insertmacro Report "library from its folder" $0
  Push "${LIBRARY_DIR}"
  QeltNSIS::OpenNolm
  !insertmacro Report "open" $0
  QeltNSIS::CheckToken
  !insertmacro Report "reader" "$0 $1"
  Push "card"
  QeltNSIS::ReadTokenKey
  !insertmacro Report "card key" "$2 $3"
  Push "PLC:"
  QeltNSIS::ReadFolderKey
  !insertmacro Report "plastic card key" $2
  QeltNSIS::FreeNolm

  StrCpy $R0 ""
  QeltNSIS::InitNolm
  !insertmacro Report "library from the system directory" $0
  QeltNSIS::FreeNolm

  QeltNSIS::CheckTokenAvtor
  !insertmacro Report "tokens" $0
  QeltNSIS::GetAvtorCertList
  Pop $5
  Pop $6
  !insertmacro Report "certificates" "[$5] [$6]"
  QeltNSIS::ReadTokenAvtorKey
  !insertmacro Report "chosen" "[$0] [$1]"

  FileClose $9
SectionEnd
