@echo off
rem The example installer's own tests on Windows: each folder under roads\ is
rem one road of QeltNSIS-example.nsi, run by bin\qelt-installer-test.exe and
rem compared with the road's expected.txt. From an elevated prompt on a
rem disposable machine (each road puts the kit's simulator in place for the
rem run and takes it away again); works from wherever the kit was unzipped.
rem
rem usage: Examples\run-tests.cmd [QeltNSIS folder]
rem   QeltNSIS folder: the unzipped QeltNSIS-<version>.zip (its Plugins\ and
rem   Include\); without it the plug-in installed into NSIS is used.
rem Reports go to .\qelt-test-out\<road> (QELT_EXAMPLES_OUT to change).
setlocal
set "here=%~dp0"
set "command=%here%..\bin\qelt-installer-test.exe"
set "script=%here%QeltNSIS-example.nsi"
if defined QELT_EXAMPLE_SCRIPT set "script=%QELT_EXAMPLE_SCRIPT%"
set "reports=%CD%\qelt-test-out"
if defined QELT_EXAMPLES_OUT set "reports=%QELT_EXAMPLES_OUT%"
set common=--quiet --define QELT_TRANSCRIPT=1 --define KEY_FOLDER=$EXEDIR\keys\
if not "%~1"=="" set common=%common% --plugins "%~f1\Plugins" --include "%~f1\Include"
set failed=0
pushd "%here%roads"
for /d %%r in (*) do call :road "%%~fr" "%%~nxr"
popd
exit /b %failed%

:road
set "road=%~1"
set "out=%reports%\%~2"
set args=%common% --plan "%road%\plan.txt" --expect "%road%\expected.txt" --out "%out%"
if exist "%road%\files" set args=%args% --files "%road%\files"
if exist "%road%\world.cfg" set args=%args% --world "%road%\world.cfg"
if exist "%road%\token.cfg" set args=%args% --token "%road%\token.cfg"
if exist "%road%\options" for /f "usebackq delims=" %%o in ("%road%\options") do call set args=%%args%% %%o
"%command%" %args% "%script%"
if errorlevel 1 goto failed
echo ok      %~2
exit /b 0
:failed
echo FAILED  %~2
set failed=1
exit /b 0
