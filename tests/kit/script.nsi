; Loads the library from where the kit put it, says so in loaded.txt and,
; with HANG, never ends.
OutFile "${QELT_TEST_OUTFILE}"
SilentInstall silent
RequestExecutionLevel admin
!include QeltNSIS.nsh
Section
  ${QeltInitNolm} "${QELT_TEST_LIBRARY}" $0
  FileOpen $1 "$EXEDIR\loaded.txt" w
  FileWrite $1 "$0"
  FileClose $1
!ifdef HANG
  Sleep 3600000
!endif
  ${QeltFreeNolm}
SectionEnd
