; Shared by the end-to-end scripts: a silent installer whose every step is
; written to transcript.txt next to it.
!addincludedir "${INCLUDE_DIR}"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user
!include QeltNSIS.nsh

Var transcript
Var ok
Var text
Var a
Var b
Var c
Var d

Function .onInit
  FileOpen $transcript "$EXEDIR\transcript.txt" w
FunctionEnd

!define Step "!insertmacro Step"
!macro Step text
  FileWrite $transcript "${text}$\r$\n"
!macroend
