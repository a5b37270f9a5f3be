; The typical library road of an installer: load, open, generate a key file,
; load it, walk the certificates, close, release.
Name "QeltNSIS typical road"
OutFile "${OUT_EXE}"
SilentInstall silent
RequestExecutionLevel user

!include LogicLib.nsh

!macro Report key value
  FileWrite $9 "${key}=${value}$\r$\n"
!macroend

Section
  FileOpen $9 "$EXEDIR\result.txt" w

  StrCpy $R0 "${NOLM_DIR}lib\"
  QeltNSIS::InitNolm
  !insertmacro Report "InitNolm" $0

  Push "${DATA_DIR}"
  QeltNSIS::OpenNolm
  !insertmacro Report "OpenNolm" "$0 [$1]"

  StrCpy $1 "AB123456"
  StrCpy $2 "пароль-1"
  StrCpy $3 "${DATA_DIR}\"
  QeltNSIS::KeyGenFile
  !insertmacro Report "KeyGenFile" $0
  ${If} ${FileExists} "${DATA_DIR}\AB123456.KEY"
    !insertmacro Report "key file" "written"
  ${EndIf}

  StrCpy $R0 "not loaded"
  StrCpy $2 "інший пароль"
  StrCpy $3 "${DATA_DIR}"
  StrCpy $4 "AB123456.KEY"
  QeltNSIS::LoadKey
  !insertmacro Report "LoadKey wrong password" "[$R0]"
  StrCpy $2 "пароль-1"
  QeltNSIS::LoadKey
  !insertmacro Report "LoadKey" "[$R0]"

  StrCpy $R0 "AB123456"
  StrCpy $R1 "AB"
  StrCpy $R2 "1234"
  QeltNSIS::GetCertFirstInfo
  Pop $5
  !insertmacro Report "first" "[$5]"
  ${Do}
    QeltNSIS::GetCertNextInfo
    Pop $5
    !insertmacro Report "next" "[$5]"
  ${LoopUntil} $5 == "end"

  QeltNSIS::CloseNolm
  QeltNSIS::FreeNolm
  !insertmacro Report "done" "yes"
  FileClose $9
SectionEnd
