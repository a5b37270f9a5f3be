; QeltNSIS.nsh - macros for the QeltNSIS plug-in.
;
; Each macro takes its inputs as arguments and writes its outputs into the
; variables you name, so a script never has to juggle $0-$4 and $R0-$R2
; itself: the registers the plug-in uses are saved before the call and
; restored after it (except where you name one of them as an output).
;
;   !include QeltNSIS.nsh
;   ${QeltInitNolm} "$INSTDIR\nolm\" $ok
;   ${If} $ok == "1" ...
;
; It works in Unicode and ANSI installers alike (Plugins/x86-unicode and
; Plugins/x86-ansi). Outputs that signal success are "1" on success and ""
; on failure.
;
; NSIS's error flag: after every macro it is set when the command failed or
; was cancelled (the macro's outputs say so, as its comment tells) and
; cleared when it succeeded, so ${If} ${Errors} works after each macro. The
; plug-in's commands themselves do not touch it. ${QeltLastError} tells why.

!ifndef QELTNSIS_NSH
!define QELTNSIS_NSH

; The plug-in's version; the DLLs' version resource says the same.
!define QELTNSIS_VERSION "1.1.0"

!include LogicLib.nsh

; Work variables, each declared by the first macro that uses it, so a script
; that uses one macro declares nothing it does not use (makensis -WX).
!macro _QeltVar NAME
  !ifndef _QELT_VAR_${NAME}
    !define _QELT_VAR_${NAME}
    Var /GLOBAL ${NAME}
  !endif
!macroend

; Sets the error flag unless VALUE is SUCCESS.
!macro _QeltErrorsUnless VALUE SUCCESS
  ClearErrors
  StrCmp "${VALUE}" "${SUCCESS}" +2
    SetErrors
!macroend

; Sets the error flag when VALUE is FAILURE.
!macro _QeltErrorsIf VALUE FAILURE
  ClearErrors
  StrCmp "${VALUE}" "${FAILURE}" 0 +2
    SetErrors
!macroend

!macro _QeltSave
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $R0
  Push $R1
  Push $R2
!macroend

; Everything the plug-in leaves above the mark is dropped with the mark.
!define _QeltMark "__QeltNSIS_mark__"
!macro _QeltDropToMark
  !insertmacro _QeltVar _QeltE
  ${Do}
    Pop $_QeltE
  ${LoopUntil} $_QeltE == "${_QeltMark}"
!macroend

!macro _QeltRestore
  Pop $R2
  Pop $R1
  Pop $R0
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

; --- The library -----------------------------------------------------------

; ${QeltInitNolm} DIRECTORY OK
;   Loads the library's DLLs from DIRECTORY (ending with "\").
;   OK: "1" when all loaded; "" otherwise (an error box was shown).
!define QeltInitNolm "!insertmacro QeltInitNolm"
!macro QeltInitNolm DIRECTORY OK
  !insertmacro _QeltVar _QeltA
  StrCpy $_QeltA "${DIRECTORY}"
  !insertmacro _QeltSave
  StrCpy $R0 $_QeltA
  QeltNSIS::InitNolm
  StrCpy $_QeltA $0
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltFreeNolm}
;   Releases the library's DLLs.
!define QeltFreeNolm "!insertmacro QeltFreeNolm"
!macro QeltFreeNolm
  QeltNSIS::FreeNolm
  ClearErrors
!macroend

; ${QeltOpenNolm} DATADIR OK VERSION
;   Opens the library with DATADIR\nolm.cfg.
;   OK: "1" when open. VERSION: "Версія біблотеки НОЛМ - N", "" when the
;   library's database check failed.
!define QeltOpenNolm "!insertmacro QeltOpenNolm"
!macro QeltOpenNolm DATADIR OK VERSION
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltE
  StrCpy $_QeltA "${DATADIR}"
  !insertmacro _QeltSave
  Push "${_QeltMark}"
  Push $_QeltA
  QeltNSIS::OpenNolm
  StrCpy $_QeltA $0
  StrCpy $_QeltB $1
  !insertmacro _QeltDropToMark
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  StrCpy ${VERSION} $_QeltB
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltCloseNolm}
;   Closes the library; a failure is shown to the user and sets the error flag.
!define QeltCloseNolm "!insertmacro QeltCloseNolm"
!macro QeltCloseNolm
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  QeltNSIS::CloseNolm
  QeltNSIS::LastError
  Pop $_QeltA  ; the code
  Pop $_QeltB  ; the text
  !insertmacro _QeltErrorsUnless $_QeltA "0"
!macroend

; --- Keys --------------------------------------------------------------------

; ${QeltLoadKey} PASSWORD KEYDIR KEYFILE LOADED
;   Loads the secret key KEYDIR\KEYFILE. Expiry warnings are shown to the user.
;   LOADED: "1" when the key is loaded, "" when not (wrong password, ...).
!define QeltLoadKey "!insertmacro QeltLoadKey"
!macro QeltLoadKey PASSWORD KEYDIR KEYFILE LOADED
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  StrCpy $_QeltA "${PASSWORD}"
  StrCpy $_QeltB "${KEYDIR}"
  StrCpy $_QeltC "${KEYFILE}"
  !insertmacro _QeltSave
  StrCpy $2 $_QeltA
  StrCpy $3 $_QeltB
  StrCpy $4 $_QeltC
  StrCpy $R0 "-"
  QeltNSIS::LoadKey
  StrCpy $_QeltA ""
  StrCmp $R0 "" 0 +2
    StrCpy $_QeltA "1"
  !insertmacro _QeltRestore
  StrCpy ${LOADED} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltLoadKeyCC} PASSWORD KEYNAME LOADED
;   Loads the key KEYNAME from the card in the reader chosen by QeltCheckToken.
;   LOADED: "1" when the key is loaded.
!define QeltLoadKeyCC "!insertmacro QeltLoadKeyCC"
!macro QeltLoadKeyCC PASSWORD KEYNAME LOADED
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  StrCpy $_QeltA "${PASSWORD}"
  StrCpy $_QeltB "${KEYNAME}"
  !insertmacro _QeltSave
  StrCpy $2 $_QeltA
  StrCpy $3 $_QeltB
  StrCpy $R0 "-"
  QeltNSIS::LoadKeyCC
  StrCpy $_QeltA ""
  StrCmp $R0 "" 0 +2
    StrCpy $_QeltA "1"
  !insertmacro _QeltRestore
  StrCpy ${LOADED} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltKeyGenCC} KEYNAME PASSWORD REQUESTDIR OK REQUESTFILE
;   Generates a key on the card in the current reader and writes its request
;   to REQUESTDIR (ending with "\") as the first 8 characters of KEYNAME + ".req".
;   OK: "1" when the key was generated. REQUESTFILE: the request file's path.
!define QeltKeyGenCC "!insertmacro QeltKeyGenCC"
!macro QeltKeyGenCC KEYNAME PASSWORD REQUESTDIR OK REQUESTFILE
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  StrCpy $_QeltA "${KEYNAME}"
  StrCpy $_QeltB "${PASSWORD}"
  StrCpy $_QeltC "${REQUESTDIR}"
  !insertmacro _QeltSave
  StrCpy $1 $_QeltA
  StrCpy $2 $_QeltB
  StrCpy $3 $_QeltC
  QeltNSIS::KeyGenCC
  StrCpy $_QeltA $0
  StrCpy $_QeltB ""
  StrCmp $0 "1" 0 +2
    StrCpy $_QeltB $3
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  StrCpy ${REQUESTFILE} $_QeltB
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltKeyGenFile} KEYNAME PASSWORD KEYDIR OK
;   Generates a key file in KEYDIR. OK: "1" on success.
!define QeltKeyGenFile "!insertmacro QeltKeyGenFile"
!macro QeltKeyGenFile KEYNAME PASSWORD KEYDIR OK
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  StrCpy $_QeltA "${KEYNAME}"
  StrCpy $_QeltB "${PASSWORD}"
  StrCpy $_QeltC "${KEYDIR}"
  !insertmacro _QeltSave
  StrCpy $1 $_QeltA
  StrCpy $2 $_QeltB
  StrCpy $3 $_QeltC
  QeltNSIS::KeyGenFile
  StrCpy $_QeltA $0
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; --- Passwords and PINs ------------------------------------------------------

!macro _QeltChange EXPORT KEY OLD NEW OK
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  StrCpy $_QeltA "${KEY}"
  StrCpy $_QeltB "${OLD}"
  StrCpy $_QeltC "${NEW}"
  !insertmacro _QeltSave
  StrCpy $1 $_QeltA
  StrCpy $2 $_QeltB
  StrCpy $3 $_QeltC
  QeltNSIS::${EXPORT}
  StrCpy $_QeltA $0
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltChangePassword} KEYNAME OLD NEW OK
;   Changes the password of the card key KEYNAME (current reader). OK: "1".
!define QeltChangePassword "!insertmacro QeltChangePassword"
!macro QeltChangePassword KEYNAME OLD NEW OK
  !insertmacro _QeltChange ChangePassword "${KEYNAME}" "${OLD}" "${NEW}" ${OK}
!macroend

; ${QeltChangePasswordFile} KEYLOCATION OLD NEW OK
;   Changes the password of the key file at KEYLOCATION. OK: "1".
!define QeltChangePasswordFile "!insertmacro QeltChangePasswordFile"
!macro QeltChangePasswordFile KEYLOCATION OLD NEW OK
  !insertmacro _QeltChange ChangePasswordFile "${KEYLOCATION}" "${OLD}" "${NEW}" ${OK}
!macroend

; ${QeltChangePin} MEDIUM OLD NEW OK
;   Changes a card PIN. MEDIUM "PLC:" is the plastic card; anything else the
;   card in the current reader. OK: "1".
!define QeltChangePin "!insertmacro QeltChangePin"
!macro QeltChangePin MEDIUM OLD NEW OK
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  !insertmacro _QeltVar _QeltE
  StrCpy $_QeltA "${MEDIUM}"
  StrCpy $_QeltB "${OLD}"
  StrCpy $_QeltC "${NEW}"
  !insertmacro _QeltSave
  StrCpy $2 $_QeltB
  StrCpy $3 $_QeltC
  Push "${_QeltMark}"
  Push $_QeltA
  QeltNSIS::ChangePin
  StrCpy $_QeltA $0
  !insertmacro _QeltDropToMark
  !insertmacro _QeltRestore
  StrCpy ${OK} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; --- The library's certificates ----------------------------------------------

; ${QeltGetCertFirstInfo} PREFIX1 PREFIX2 LINE
;   Starts the certificate walk. LINE: "<id> - <name> ", or "" when there is
;   no certificate (an error box was shown). Later lines are given only for
;   ids that begin with the first 2 characters of PREFIX1 and the first 4 of
;   PREFIX2.
!define QeltGetCertFirstInfo "!insertmacro QeltGetCertFirstInfo"
!macro QeltGetCertFirstInfo PREFIX1 PREFIX2 LINE
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltE
  StrCpy $_QeltA "${PREFIX1}"
  StrCpy $_QeltB "${PREFIX2}"
  !insertmacro _QeltSave
  StrCpy $R1 $_QeltA
  StrCpy $R2 $_QeltB
  Push "${_QeltMark}"
  QeltNSIS::GetCertFirstInfo
  Pop $_QeltA
  ${If} $_QeltA == "${_QeltMark}"
    StrCpy $_QeltA ""
  ${Else}
    Pop $_QeltE
  ${EndIf}
  !insertmacro _QeltRestore
  StrCpy ${LINE} $_QeltA
  !insertmacro _QeltErrorsIf $_QeltA ""
!macroend

; ${QeltGetCertNextInfo} LEAVEOUT LINE
;   The next certificate. LINE: "<id> - <name> (діє до D/M/YYYY) ", "" for a
;   certificate that does not match (or whose id is LEAVEOUT), "end" after
;   the last.
!define QeltGetCertNextInfo "!insertmacro QeltGetCertNextInfo"
!macro QeltGetCertNextInfo LEAVEOUT LINE
  !insertmacro _QeltVar _QeltA
  StrCpy $_QeltA "${LEAVEOUT}"
  !insertmacro _QeltSave
  StrCpy $R0 $_QeltA
  QeltNSIS::GetCertNextInfo
  Pop $_QeltA
  !insertmacro _QeltRestore
  StrCpy ${LINE} $_QeltA
  !insertmacro _QeltErrorsIf $_QeltA "end"
!macroend

; --- Dialogs -----------------------------------------------------------------

; ${QeltPromptPassword} PASSWORD
;   Asks for a key password. PASSWORD: what was entered, "" on cancel.
!define QeltPromptPassword "!insertmacro QeltPromptPassword"
!macro QeltPromptPassword PASSWORD
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltSave
  QeltNSIS::PromptPassword
  StrCpy $_QeltA $2
  !insertmacro _QeltRestore
  StrCpy ${PASSWORD} $_QeltA
  !insertmacro _QeltErrorsIf $_QeltA ""
!macroend

; ${QeltPromptPasswordChange} CURRENT NEW
;   Asks for the current and the new password or PIN (the new one twice).
;   Both are "" on cancel.
!define QeltPromptPasswordChange "!insertmacro QeltPromptPasswordChange"
!macro QeltPromptPasswordChange CURRENT NEW
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltSave
  StrCpy $3 ""
  QeltNSIS::PromptPasswordChange
  StrCpy $_QeltA $2
  StrCpy $_QeltB $3
  StrCmp $2 "" 0 +2
    StrCpy $_QeltB ""
  !insertmacro _QeltRestore
  StrCpy ${CURRENT} $_QeltA
  StrCpy ${NEW} $_QeltB
  !insertmacro _QeltErrorsIf $_QeltA ""
!macroend

; ${QeltCheckToken} RESULT READER
;   Finds the card readers; with several the user chooses one. RESULT: "1"
;   when a reader is chosen (READER: its name; later card calls use it), "0"
;   when there is none or the user cancelled, "" when the dialog was closed.
!define QeltCheckToken "!insertmacro QeltCheckToken"
!macro QeltCheckToken RESULT READER
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltSave
  StrCpy $0 ""
  StrCpy $1 ""
  QeltNSIS::CheckToken
  StrCpy $_QeltA $0
  StrCpy $_QeltB $1
  !insertmacro _QeltRestore
  StrCpy ${RESULT} $_QeltA
  StrCpy ${READER} $_QeltB
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

!macro _QeltKeyChoice EXPORT MEDIUM PART1 PART2 WHOLE
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  !insertmacro _QeltVar _QeltD
  StrCpy $_QeltA "${MEDIUM}"
  !insertmacro _QeltSave
  StrCpy $1 ""
  StrCpy $2 ""
  StrCpy $3 ""
  Push $_QeltA
  QeltNSIS::${EXPORT}
  StrCpy $_QeltA $0
  StrCpy $_QeltB $1
  StrCpy $_QeltC $2
  StrCpy $_QeltD $3
  !insertmacro _QeltRestore
  StrCpy ${PART1} $_QeltA
  StrCpy ${PART2} $_QeltB
  StrCpy ${WHOLE} $_QeltC
  !insertmacro _QeltErrorsIf $_QeltC ""
!macroend

; ${QeltReadFolderKey} MEDIUM PART1 PART2 WHOLE
;   Lets the user choose a key file (extension KEY) in the folder MEDIUM, or a
;   key on the plastic card when MEDIUM is "PLC:". One key is taken without
;   asking. WHOLE: the key name (8 characters), PART1 its first 2, PART2 the
;   next 4. PART1 is "-1" when there is no key, "" on cancel.
!define QeltReadFolderKey "!insertmacro QeltReadFolderKey"
!macro QeltReadFolderKey MEDIUM PART1 PART2 WHOLE
  !insertmacro _QeltKeyChoice ReadFolderKey "${MEDIUM}" ${PART1} ${PART2} ${WHOLE}
!macroend

; ${QeltReadTokenKey} MEDIUM PART1 PART2 WHOLE COUNT
;   Lets the user choose a key on the card in the current reader ("PLC:": the
;   plastic card). Outputs as QeltReadFolderKey; COUNT: the number of keys
;   when the card holds at most one. When the card could not be read PART1 is
;   "" and PART2 holds the library's result code.
!define QeltReadTokenKey "!insertmacro QeltReadTokenKey"
!macro QeltReadTokenKey MEDIUM PART1 PART2 WHOLE COUNT
  !insertmacro _QeltVar _QeltD
  !insertmacro _QeltKeyChoice ReadTokenKey "${MEDIUM}" ${PART1} ${PART2} ${WHOLE}
  StrCpy ${COUNT} $_QeltD
!macroend

; ${QeltTest} PART1 PART2 WHOLE
;   Shows the card keys that QeltReadTokenKey read last, again.
!define QeltTest "!insertmacro QeltTest"
!macro QeltTest PART1 PART2 WHOLE
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltVar _QeltC
  !insertmacro _QeltSave
  StrCpy $0 ""
  StrCpy $1 ""
  StrCpy $2 ""
  QeltNSIS::Test
  StrCpy $_QeltA $0
  StrCpy $_QeltB $1
  StrCpy $_QeltC $2
  !insertmacro _QeltRestore
  StrCpy ${PART1} $_QeltA
  StrCpy ${PART2} $_QeltB
  StrCpy ${WHOLE} $_QeltC
  !insertmacro _QeltErrorsIf $_QeltC ""
!macroend

; --- Progress window ---------------------------------------------------------

; ${QeltStartProgress} TITLE
;   Opens the progress window.
!define QeltStartProgress "!insertmacro QeltStartProgress"
!macro QeltStartProgress TITLE
  Push "${TITLE}"
  QeltNSIS::StartProgress
  ClearErrors
!macroend

; ${QeltUpdateProgress} PERCENT TEXT
;   Shows TEXT and PERCENT (0-100) in the progress window.
!define QeltUpdateProgress "!insertmacro QeltUpdateProgress"
!macro QeltUpdateProgress PERCENT TEXT
  Push "${TEXT}"
  Push "${PERCENT}"
  QeltNSIS::UpdateProgress
  ClearErrors
!macroend

; ${QeltCloseProgress}
;   Closes the progress window.
!define QeltCloseProgress "!insertmacro QeltCloseProgress"
!macro QeltCloseProgress
  QeltNSIS::CloseProgress
  ClearErrors
!macroend

; --- Secure Token ------------------------------------------------------------

; ${QeltCheckTokenAvtor} COUNT
;   COUNT: the number of connected Secure Tokens ("0" when none or no driver).
!define QeltCheckTokenAvtor "!insertmacro QeltCheckTokenAvtor"
!macro QeltCheckTokenAvtor COUNT
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltSave
  QeltNSIS::CheckTokenAvtor
  StrCpy $_QeltA $0
  !insertmacro _QeltRestore
  StrCpy ${COUNT} $_QeltA
  !insertmacro _QeltErrorsIf $_QeltA "0"
!macroend

; ${QeltGetAvtorCertList} COUNT
;   Lists up to four token certificates. COUNT: how many; the entries
;   ("Owner (01020304)") are left on the stack, the last found on top: pop
;   COUNT times.
!define QeltGetAvtorCertList "!insertmacro QeltGetAvtorCertList"
!macro QeltGetAvtorCertList COUNT
  !insertmacro _QeltVar _QeltA
  QeltNSIS::GetAvtorCertList
  Exch $_QeltA
  IntOp $_QeltA $_QeltA + 0
  Exch $_QeltA
  Pop ${COUNT}
  !insertmacro _QeltErrorsIf ${COUNT} "0"
!macroend

; ${QeltReadTokenAvtorKey} OWNER KEYNUMBER
;   Lets the user choose a token certificate. OWNER: the owner's name followed
;   by a space, "" on cancel; KEYNUMBER: the 8-character key number.
!define QeltReadTokenAvtorKey "!insertmacro QeltReadTokenAvtorKey"
!macro QeltReadTokenAvtorKey OWNER KEYNUMBER
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  !insertmacro _QeltSave
  StrCpy $1 ""
  QeltNSIS::ReadTokenAvtorKey
  StrCpy $_QeltA $0
  StrCpy $_QeltB $1
  StrCmp $0 "" 0 +2
    StrCpy $_QeltB ""
  !insertmacro _QeltRestore
  StrCpy ${OWNER} $_QeltA
  StrCpy ${KEYNUMBER} $_QeltB
  !insertmacro _QeltErrorsIf $_QeltA ""
!macroend

; ${QeltParseAvtorKey} ENTRY PART RESULT
;   Cuts a certificate entry: PART "key" gives the key number, "name" the
;   owner's name with its trailing space.
!define QeltParseAvtorKey "!insertmacro QeltParseAvtorKey"
!macro QeltParseAvtorKey ENTRY PART RESULT
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  StrCpy $_QeltA "${ENTRY}"
  StrCpy $_QeltB "1"
  StrCmp "${PART}" "key" 0 +2
    StrCpy $_QeltB "0"
  !insertmacro _QeltSave
  Push $_QeltB
  Push $_QeltA
  QeltNSIS::ParseAvtorKey
  StrCpy $_QeltA $R0
  !insertmacro _QeltRestore
  StrCpy ${RESULT} $_QeltA
  !insertmacro _QeltErrorsIf $_QeltA ""
!macroend

; --- Scripts that act on failure ---------------------------------------------

; ${QeltLastError} CODE TEXT
;   Why the last command failed: CODE the library's or card's result code, a
;   Windows error code (InitNolm's load failures) or the plug-in's own (9001
;   a text Windows-1251 cannot hold, 9002 too long, 9003 a generated key's
;   request not written, 9004 cancelled by the user, 9005 a library function
;   missing, 9006 no random data, 9007 no request to save; 9008, after a
;   successful InitNolm, says the test kit's simulator was loaded instead of
;   the library; 9009 an unknown language, 9010 a refused SetText); TEXT the message
;   the plug-in showed (or would have shown). "0" and "" after a success. A
;   key that loaded with an expiry warning gives the warning's code and text.
;   Leaves the error flag as the last command left it.
!define QeltLastError "!insertmacro QeltLastError"
!macro QeltLastError CODE TEXT
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  QeltNSIS::LastError
  Pop $_QeltA
  Pop $_QeltB
  StrCpy ${CODE} $_QeltA
  StrCpy ${TEXT} $_QeltB
!macroend

; ${QeltQuiet} ON
;   ON "1": no message box of the plug-in from now on (failures, expiry
;   warnings, information); dialogs that ask for input still open, and
;   ${QeltLastError} still tells every failure. "0": boxes as before (the
;   default). NSIS's /S alone does not make the plug-in quiet:
;     ${If} ${Silent}
;       ${QeltQuiet} "1"
;     ${EndIf}
!define QeltQuiet "!insertmacro QeltQuiet"
!macro QeltQuiet ON
  Push "${ON}"
  QeltNSIS::Quiet
  ClearErrors
!macroend

; ${QeltSaveKeyRequest} PATH OK
;   Writes the request of the key the last QeltKeyGenCC generated (174
;   bytes) to the file PATH, e.g. when QeltKeyGenCC's request folder could
;   not be written. OK: "1" when written. The request is kept until the next
;   QeltKeyGenCC or QeltFreeNolm.
!define QeltSaveKeyRequest "!insertmacro QeltSaveKeyRequest"
!macro QeltSaveKeyRequest PATH OK
  !insertmacro _QeltVar _QeltA
  StrCpy $_QeltA "${PATH}"
  Push $0
  Push $_QeltA
  QeltNSIS::SaveKeyRequest
  StrCpy $_QeltA $0
  Pop $0
  StrCpy ${OK} $_QeltA
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; --- Texts in the installer's language ----------------------------------------

; ${QeltLanguage} VALUE
;   The language of every text the plug-in shows or gives the script, from
;   now on: "uk" Ukrainian, "en" English, "auto" the installer's own
;   language at each command ($LANGUAGE: 1058 Ukrainian, any English one
;   English, any other the default texts), "" the default texts (as without
;   the call: Ukrainian, the expiry warnings Russian). Sets the error flag
;   for any other VALUE (LastError 9009; the language stays as it was).
;   Call it in .onInit, after MUI's language choice:
;     !insertmacro MUI_LANGDLL_DISPLAY
;     ${QeltLanguage} "auto"
!define QeltLanguage "!insertmacro QeltLanguage"
!macro QeltLanguage VALUE
  !insertmacro _QeltVar _QeltA
  StrCpy $_QeltA "${VALUE}"
  Push $0
  Push $_QeltA
  QeltNSIS::Language
  StrCpy $_QeltA $0
  Pop $0
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

; ${QeltSetText} ID TEXT
;   Your own words for one text, whatever the language (the ids and texts
;   are listed in the reference): e.g.
;     ${QeltSetText} password_caption "Пароль до ключа"
;   A text with placeholders (%s a text, %d a number; %% a percent sign)
;   must keep the built-in text's placeholders in the same order; "" gives
;   the built-in text back. Sets the error flag when ID is unknown or the
;   placeholders differ (LastError 9010; the text stays as it was).
!define QeltSetText "!insertmacro QeltSetText"
!macro QeltSetText ID TEXT
  !insertmacro _QeltVar _QeltA
  !insertmacro _QeltVar _QeltB
  StrCpy $_QeltA "${ID}"
  StrCpy $_QeltB "${TEXT}"
  Push $0
  Push $_QeltB
  Push $_QeltA
  QeltNSIS::SetText
  StrCpy $_QeltA $0
  Pop $0
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

;  ${QeltLog} PATH
;   Appends the support log to the file PATH from now on ("" switches it
;   off): what the plug-in did, for support. Never a password, PIN or random
;   data. Sets the error flag when the file cannot be written (the log is
;   then off; nothing else changes). Leaves LastError as it was. Users can
;   switch it on without a rebuilt installer: QELTNSIS_LOG=<path>.
!define QeltLog "!insertmacro QeltLog"
!macro QeltLog PATH
  !insertmacro _QeltVar _QeltA
  StrCpy $_QeltA "${PATH}"
  Push $0
  Push $_QeltA
  QeltNSIS::Log
  StrCpy $_QeltA $0
  Pop $0
  !insertmacro _QeltErrorsUnless $_QeltA "1"
!macroend

!endif
