; QeltNSIS example: an installer that sets up the user's signature key.
;
; It walks every road of the plug-in the way a real installer would:
;   - the library: InitNolm, OpenNolm, the key medium (reader, card or key
;     folder), the password, key loading with retries, the certificate list,
;     CloseNolm, FreeNolm;
;   - a new key file generated under the progress window;
;   - a password change;
;   - the Secure Token: the tokens, a certificate chosen by the user, the list.
;
; A Unicode installer (Plugins/x86-unicode); for an ANSI one (Plugins/x86-ansi)
; define QELT_ANSI. The package holds this file in Windows-1251, the code
; page of its Ukrainian texts. Build it with:  makensis QeltNSIS-example.nsi
; or, as an ANSI installer:  makensis -DQELT_ANSI QeltNSIS-example.nsi
; (makensis outside Windows reads scripts as UTF-8: add -INPUTCHARSET CP1251)
; Where the library lives can be changed on the command line:
;   makensis -DNOLM_DIR=C:\Nolm\ -DNOLM_DATA=C:\Nolm\data -DKEY_FOLDER=A:\ ...

!ifdef QELT_ANSI
  Unicode false
!else
  Unicode true
!endif
!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include QeltNSIS.nsh

; Built by the test kit (qelt-installer-test), it takes the library folder
; and the installer's place from the kit's QELT_TEST_LIBRARY and QELT_TEST_OUTFILE.
!ifdef QELT_TEST_LIBRARY
  !ifndef NOLM_DIR
    !define NOLM_DIR "${QELT_TEST_LIBRARY}"
  !endif
  !ifndef NOLM_DATA
    !define NOLM_DATA "${QELT_TEST_LIBRARY}data"
  !endif
!endif
!ifdef QELT_TEST_OUTFILE
  !ifndef OUT_EXE
    !define OUT_EXE "${QELT_TEST_OUTFILE}"
  !endif
!endif
!ifndef NOLM_DIR
  !define NOLM_DIR "$PROGRAMFILES\Nolm\"      ; the library's DLLs (ending with \)
!endif
!ifndef NOLM_DATA
  !define NOLM_DATA "$PROGRAMFILES\Nolm\data"  ; nolm.cfg and the database
!endif
!ifndef KEY_FOLDER
  !define KEY_FOLDER "A:\"                     ; where the user's key files are
!endif
!ifndef OUT_EXE
  !define OUT_EXE "QeltNSIS-example.exe"
!endif

Name "QeltNSIS example"
OutFile "${OUT_EXE}"
InstallDir "$PROGRAMFILES\QeltNSIS example"
RequestExecutionLevel user
ShowInstDetails show

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "Ukrainian"

Var ok
Var text
Var reader
Var medium
Var part1
Var part2
Var keyName
Var password
Var newPassword
Var tries
Var count
Var entry
Var owner
Var keyNumber
!ifdef QELT_TRANSCRIPT
  Var transcript
!endif

; Every step is shown in the details list; with -DQELT_TRANSCRIPT it is also
; written to transcript.txt next to the installer, in UTF-16 so that it reads
; the same whatever Windows' code page.
!macro Step text
  DetailPrint "${text}"
  !ifdef QELT_TRANSCRIPT
    FileWriteUTF16LE $transcript "${text}$\r$\n"
  !endif
!macroend
!define Step "!insertmacro Step"



Section "-Бібліотека НОЛМ" SecLibrary
  ${QeltInitNolm} "${NOLM_DIR}" $ok
  ${Step} "InitNolm: [$ok]"
  ${If} $ok != "1"
    MessageBox MB_OK|MB_ICONSTOP "Бібліотеку НОЛМ не завантажено. Встановлення перервано."
    Abort
  ${EndIf}
  ${QeltOpenNolm} "${NOLM_DATA}" $ok $text
  ${Step} "OpenNolm: [$ok] $text"
  ${If} $ok != "1"
    ${QeltFreeNolm}
    MessageBox MB_OK|MB_ICONSTOP "Бібліотеку НОЛМ не відкрито. Встановлення перервано."
    Abort
  ${EndIf}
SectionEnd

Section "Завантаження ключа" SecLoadKey
  ; Where is the key: on a card in a reader, or in a key folder?
  ${QeltCheckToken} $ok $reader
  ${Step} "CheckToken: [$ok] [$reader]"
  ${If} $ok == "1"
    ${QeltReadTokenKey} $reader $part1 $part2 $keyName $count
    ${Step} "ReadTokenKey: [$part1] [$part2] [$keyName] [$count]"
    StrCpy $medium "card"
  ${Else}
    ${QeltReadFolderKey} "${KEY_FOLDER}" $part1 $part2 $keyName
    ${Step} "ReadFolderKey: [$part1] [$part2] [$keyName]"
    StrCpy $medium "folder"
  ${EndIf}
  ${If} $part1 == "-1"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Ключ не знайдено. Його можна завантажити пізніше."
    Goto done
  ${ElseIf} $part1 == ""
    ${Step} "the user chose no key"
    Goto done
  ${EndIf}

  ; Three tries for the password.
  StrCpy $tries 0
  ${Do}
    IntOp $tries $tries + 1
    ${QeltPromptPassword} $password
    ${If} $password == ""
      ${Step} "PromptPassword: cancelled"
      ${Break}
    ${EndIf}
    ${If} $medium == "card"
      ${QeltLoadKeyCC} $password $keyName $ok
    ${Else}
      ${QeltLoadKey} $password "${KEY_FOLDER}" "$keyName.KEY" $ok
    ${EndIf}
    ${Step} "LoadKey (try $tries): [$ok]"
    ${If} $ok == "1"
      ${Break}
    ${EndIf}
    ${If} $tries >= 3
      MessageBox MB_OK|MB_ICONSTOP "Ключ не завантажено: невірний пароль."
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Невірний пароль. Спробувати ще раз?" IDRETRY +2
    ${Break}
  ${Loop}
  StrCpy $password ""

  ${If} $ok == "1"
    ; The certificates of the key's organisation (the key name's first 6
    ; characters), leaving out the key's own.
    ${QeltGetCertFirstInfo} $part1 $part2 $text
    ${If} $text != ""
      ${Step} "certificate: $text"
      ${Do}
        ${QeltGetCertNextInfo} $keyName $text
        ${IfThen} $text == "end" ${|} ${Break} ${|}
        ${IfThen} $text != "" ${|} ${Step} "certificate: $text" ${|}
      ${Loop}
    ${EndIf}
  ${EndIf}
  done:
SectionEnd

Section /o "Новий ключ у файлі" SecKeyGen
  ${QeltPromptPassword} $password
  ${If} $password == ""
    ${Step} "KeyGenFile: no password, skipped"
    Return
  ${EndIf}
  ${QeltStartProgress} "Генерація ключа"
  ${QeltUpdateProgress} 10 "Генерація ключа..."
  ${QeltKeyGenFile} "NEWKEY01" $password "${KEY_FOLDER}" $ok
  StrCpy $password ""
  ${QeltUpdateProgress} 100 "Готово"
  ${QeltCloseProgress}
  ${Step} "KeyGenFile: [$ok]"
SectionEnd

Section /o "Зміна пароля ключа" SecChangePassword
  ${QeltReadFolderKey} "${KEY_FOLDER}" $part1 $part2 $keyName
  ${If} $part1 == "-1"
  ${OrIf} $part1 == ""
    ${Step} "ChangePasswordFile: no key chosen"
    Return
  ${EndIf}
  ${QeltPromptPasswordChange} $password $newPassword
  ${If} $password == ""
    ${Step} "PromptPasswordChange: cancelled"
    Return
  ${EndIf}
  ${QeltChangePasswordFile} "${KEY_FOLDER}$keyName.KEY" $password $newPassword $ok
  StrCpy $password ""
  StrCpy $newPassword ""
  ${Step} "ChangePasswordFile: [$ok]"
SectionEnd

Section "-Закриття бібліотеки"
  ${QeltCloseNolm}
  ${QeltFreeNolm}
  ${Step} "library closed"
SectionEnd

Section "Secure Token" SecToken
  ${QeltCheckTokenAvtor} $count
  ${Step} "CheckTokenAvtor: $count"
  ${If} $count == "0"
    Return
  ${EndIf}
  ${QeltReadTokenAvtorKey} $owner $keyNumber
  ${Step} "ReadTokenAvtorKey: [$owner] [$keyNumber]"

  ${QeltGetAvtorCertList} $count
  ${Step} "GetAvtorCertList: $count"
  ${For} $tries 1 $count
    Pop $entry
    ${QeltParseAvtorKey} $entry "name" $owner
    ${QeltParseAvtorKey} $entry "key" $keyNumber
    ${Step} "token certificate: [$owner] [$keyNumber]"
  ${Next}
SectionEnd

Section "-"
  !ifdef QELT_TRANSCRIPT
    FileClose $transcript
  !endif
SectionEnd

Function .onInit
  !ifdef QELT_TRANSCRIPT
    FileOpen $transcript "$EXEDIR\transcript.txt" w
    FileWriteWord $transcript 0xFEFF
  !endif
  ; -DSELECT_ALL runs every section, also in a silent installation.
  !ifdef SELECT_ALL
    !insertmacro SelectSection ${SecKeyGen}
    !insertmacro SelectSection ${SecChangePassword}
  !endif
FunctionEnd
