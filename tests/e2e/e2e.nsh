; Shared by the end-to-end scripts: a silent installer whose every step is
; written to transcript.txt next to it. The test kit's command gives the
; library's folder, the run's folder and where the installer is written.
OutFile "${QELT_TEST_OUTFILE}"
!define NOLM_DIR "${QELT_TEST_LIBRARY}"
!define DATA_DIR "${QELT_TEST_RUN_DIR}\data"
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
