; The progress window driven from the installer's own window thread, where
; installers naturally call it: .onGUIInit and a page's show function, in an
; installer with pages (run without /S). The installer must go on and finish
; by itself; it writes what it saw to result.txt next to itself.
Name "QeltNSIS progress on the window thread"
OutFile "${OUT_EXE}"
RequestExecutionLevel user
AutoCloseWindow true

!include LogicLib.nsh

Page instfiles "" instfilesShow

Var report

!macro Report key value
  FileWrite $report "${key}=${value}$\r$\n"
!macroend

; <stage>_left: whether a progress window titled caption is still there;
; <stage>_owner_enabled: whether the installer's window takes input.
!macro ReportWindows stage caption
  FindWindow $0 "#32770" "${caption}"
  ${If} $0 <> 0
    !insertmacro Report "${stage}_left" "yes"
  ${Else}
    !insertmacro Report "${stage}_left" "no"
  ${EndIf}
  System::Call 'user32::IsWindowEnabled(p $HWNDPARENT) i .r1'
  !insertmacro Report "${stage}_owner_enabled" $1
!macroend

!macro StartAndReport stage caption
  Push "${caption}"
  QeltNSIS::StartProgress
  FindWindow $0 "#32770" "${caption}"
  ${If} $0 <> 0
    !insertmacro Report "${stage}_shown" "yes"
  ${Else}
    !insertmacro Report "${stage}_shown" "no"
  ${EndIf}
!macroend

Function .onGUIInit
  FileOpen $report "$EXEDIR\result.txt" w
  !insertmacro StartAndReport "oninit" "PRGTITLE"
  Push "Зачекайте"
  Push "50"
  QeltNSIS::UpdateProgress
  QeltNSIS::CloseProgress
  !insertmacro ReportWindows "oninit" "PRGTITLE"
FunctionEnd

Function instfilesShow
  !insertmacro StartAndReport "page_first" "Перше вікно"
  ; A second start closes the first window.
  !insertmacro StartAndReport "page_second" "Друге вікно"
  !insertmacro ReportWindows "page_first" "Перше вікно"
  QeltNSIS::CloseProgress
  !insertmacro ReportWindows "page_second" "Друге вікно"
FunctionEnd

Section
  !insertmacro Report "section" "ran"
  FileClose $report
SectionEnd
