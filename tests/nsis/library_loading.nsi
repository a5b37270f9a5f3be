; InitNolm / FreeNolm in a real installer. Writes what the script saw to
; result.txt next to the installer.
Name "QeltNSIS library loading"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!macro Report key value
  FileWrite $9 "${key}=${value}$\r$\n"
!macroend

!macro Loaded dll var
  System::Call 'kernel32::GetModuleHandle(t "${dll}") p .s'
  Pop ${var}
  ${If} ${var} <> 0
    StrCpy ${var} "yes"
  ${Else}
    StrCpy ${var} "no"
  ${EndIf}
!macroend

!include LogicLib.nsh

Section
  FileOpen $9 "$EXEDIR\result.txt" w

  StrCpy $R0 "${NOLM_DIR}lib\"
  StrCpy $0 "stale"
  QeltNSIS::InitNolm
  !insertmacro Report "init" $0
  ; The plug-in stays loaded between calls: it registered its callback.
  !insertmacro Loaded "QeltNSIS.dll" $5
  !insertmacro Report "plugin_resident" $5
  !insertmacro Loaded "nolm32.dll" $5
  !insertmacro Report "nolm32_loaded" $5
  !insertmacro Loaded "nolmcc.dll" $5
  !insertmacro Report "nolmcc_loaded" $5

  ; FreeNolm releases what InitNolm loaded in an earlier call: the handles
  ; survived from one call to the next.
  QeltNSIS::FreeNolm
  !insertmacro Loaded "nolm32.dll" $5
  !insertmacro Report "nolm32_after_free" $5

  StrCpy $R0 "${NOLM_DIR}no-nolmcc\"
  QeltNSIS::InitNolm
  !insertmacro Report "init_without_nolmcc" "[$0]"
  QeltNSIS::FreeNolm

  StrCpy $R0 "${NOLM_DIR}no-kmgetfuncs\"
  QeltNSIS::InitNolm
  !insertmacro Report "init_without_kmgetfuncs" "[$0]"
  QeltNSIS::FreeNolm

  FileClose $9
SectionEnd
