; The include file's macros: outputs land where the script says, the
; registers the plug-in works with keep the script's values, and NSIS's
; error flag says whether each command failed (" (errors)" below).
!addincludedir "${INCLUDE_DIR}"
Name "QeltNSIS macros"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!include QeltNSIS.nsh

Var ok
Var text
Var a
Var b
Var c

!macro Report key value
  ${If} ${Errors}
    FileWrite $9 "${key}=${value} (errors)$\r$\n"
  ${Else}
    FileWrite $9 "${key}=${value}$\r$\n"
  ${EndIf}
!macroend

Section
  FileOpen $9 "$EXEDIR\result.txt" w
  StrCpy $0 "r0"
  StrCpy $1 "r1"
  StrCpy $2 "r2"
  StrCpy $3 "r3"
  StrCpy $4 "r4"
  StrCpy $R0 "rR0"
  StrCpy $R1 "rR1"
  StrCpy $R2 "rR2"
  Push "bottom"

  ; Quiet: a failure shows nothing, the flag and LastError still tell it.
  ${QeltQuiet} "1"
  ${QeltInitNolm} "${NOLM_DIR}nowhere" $ok
  !insertmacro Report "init nowhere" "[$ok]"
  ${QeltLastError} $a $b
  !insertmacro Report "last error" "$a"
  ${QeltQuiet} "0"

  ${QeltInitNolm} "${NOLM_DIR}lib\" $ok
  !insertmacro Report "init" $ok
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  !insertmacro Report "open" "$ok [$text]"
  ; Language and SetText: a refusal sets the flag and changes nothing.
  ${QeltLanguage} "fr"
  ${QeltLastError} $a $b
  !insertmacro Report "language fr" "$a"
  ${QeltSetText} "library_version" "Версія %s"
  ${QeltLastError} $a $b
  !insertmacro Report "version text with %s" "$a"
  ${QeltLanguage} "en"
  !insertmacro Report "language en" ""
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  !insertmacro Report "open en" "$ok [$text]"
  ${QeltSetText} "library_version" "Версія %d, своя"
  !insertmacro Report "version text" ""
  ${QeltOpenNolm} "${DATA_DIR}" $ok $text
  !insertmacro Report "open" "$ok [$text]"
  ${QeltSetText} "library_version" ""
  ${QeltLanguage} ""
  ${QeltKeyGenFile} "AB123456" "пароль" "${DATA_DIR}\" $ok
  !insertmacro Report "keygen" $ok
  ${QeltLoadKey} "не той" "${DATA_DIR}" "AB123456.KEY" $ok
  !insertmacro Report "load wrong" "[$ok]"
  ${QeltLastError} $a $b
  !insertmacro Report "last error" "$a"
  ${QeltLoadKey} "пароль" "${DATA_DIR}" "AB123456.KEY" $ok
  !insertmacro Report "load" "[$ok]"
  ${QeltChangePasswordFile} "${DATA_DIR}\AB123456.KEY" "пароль" "новий" $ok
  !insertmacro Report "change" "[$ok]"
  ${QeltLoadKey} "новий" "${DATA_DIR}" "AB123456.KEY" $ok
  !insertmacro Report "load new" "[$ok]"

  ${QeltGetCertFirstInfo} "AB" "1234" $text
  !insertmacro Report "first" "[$text]"
  ${Do}
    ${QeltGetCertNextInfo} "" $text
    !insertmacro Report "next" "[$text]"
  ${LoopUntil} $text == "end"
  ${QeltCloseNolm}
  ; No certificate at all: the first line is empty, nothing is left behind.
  ${QeltFreeNolm}

  ${QeltCheckTokenAvtor} $ok
  !insertmacro Report "tokens" $ok
  ${QeltGetAvtorCertList} $ok
  !insertmacro Report "certificates" "[$ok]"
  Pop $a
  Pop $b
  ${QeltParseAvtorKey} $b "key" $c
  !insertmacro Report "key number" "[$c]"
  ${QeltParseAvtorKey} $b "name" $c
  !insertmacro Report "owner" "[$c]"

  ; Outputs may be the registers themselves.
  ${QeltParseAvtorKey} $b "key" $R0
  !insertmacro Report "into R0" "[$R0]"
  StrCpy $R0 "rR0"

  Pop $text
  !insertmacro Report "stack" $text
  !insertmacro Report "registers" "$0 $1 $2 $3 $4 $R0 $R1 $R2"
  FileClose $9
SectionEnd
