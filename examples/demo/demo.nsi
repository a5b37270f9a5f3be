; A small installer that loads the crypto library through QeltNSIS and says
; what it got. Built and run by scripts/demo against the stand-in library.
Unicode false
!addplugindir /x86-ansi "${PLUGIN_DIR}"
Name "QeltNSIS demo"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!include LogicLib.nsh

Section
  FileOpen $9 "$EXEDIR\transcript.txt" w

  StrCpy $R0 "${NOLM_DIR}"
  QeltNSIS::InitNolm
  FileWrite $9 "InitNolm ($$R0 = $R0): $$0 = [$0]$\r$\n"
  ${If} $0 != "1"
    FileWrite $9 "the library did not load; stopping$\r$\n"
    FileClose $9
    Abort
  ${EndIf}

  QeltNSIS::FreeNolm
  FileWrite $9 "FreeNolm: library released$\r$\n"
  FileClose $9
SectionEnd
