// qelt-installer-test.exe: builds an NSIS installer that uses QeltNSIS, runs
// it against the test kit's SIMULATED Nolm library and token module while
// the robot plays the user, and reports what happened. A test tool for
// disposable machines: the simulator is put where the real library and token
// module belong for the run and taken away afterwards (kit/docs/README.md).
//
//   qelt-installer-test --plan PLAN [options] SCRIPT.nsi
//
// Exit status: 0 the run passed, 1 it failed (the report says why), 2 the run
// could not be made (bad option, plan or world file, a script that does not
// compile, not elevated, a real library or token module in the way), 130
// interrupted (Ctrl+C). On Linux kit/bin/qelt-installer-test runs it under
// Wine.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "children.h"
#include "files.h"
#include "machine.h"
#include "options.h"
#include "plan.h"
#include "report.h"
#include "simulator_places.h"
#include "text.h"
#include "unified_diff.h"

namespace {

SimulatorPlaces* placed = nullptr;

void write(DWORD stream, const std::string& utf8) {
  HANDLE handle = GetStdHandle(stream);
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::wstring wide = fromUtf8(utf8);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}

void say(const std::string& text) { write(STD_ERROR_HANDLE, "qelt-installer-test: " + text + "\n"); }

std::string u(const std::wstring& text) { return toUtf8(text); }

// Takes the simulator away again, saying what could not be.
void removeSimulator() {
  if (!placed) return;
  endChildren();
  std::vector<std::string> left = placed->removePlaced();
  placed = nullptr;
  for (const std::string& what : left) say("LEFT BEHIND, remove it by hand: " + what);
}

[[noreturn]] void stop(int status, const std::string& message) {
  if (!message.empty()) say(message);
  removeSimulator();
  ExitProcess(status);
}

void stopIfInterrupted() {
  if (interrupted()) stop(130, "interrupted; what the kit had put in place is taken away again");
}

std::wstring quoted(const std::wstring& text) { return quoteArgument(text); }

// A run killed outright (Task Manager, kill -9) has no time to take the
// simulator away: a second copy of this program, started with this option,
// waits for the run to end and takes away what its journal still names.
const wchar_t kWatchOption[] = L"--take-away-after";

void startWatcher(const std::wstring& journal) {
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = quoted(self) + L" " + kWatchOption + L" " + std::to_wstring(GetCurrentProcessId()) + L" " +
                      quoted(journal);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // Not one of the run's children, which end with it; out of a job this
  // program may run in, where the job allows that.
  for (DWORD breakaway : {static_cast<DWORD>(CREATE_BREAKAWAY_FROM_JOB), 0UL}) {
    if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE,
                       DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP | breakaway, nullptr, nullptr, &startup,
                       &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      return;
    }
  }
}

int watchAndTakeAway(const wchar_t* runId, const wchar_t* journal) {
  HANDLE run = OpenProcess(SYNCHRONIZE, FALSE, std::wcstoul(runId, nullptr, 10));
  if (run) {
    WaitForSingleObject(run, INFINITE);
    CloseHandle(run);
  }
  // A run that ended by itself has taken everything away and its journal
  // with it.
  takeAwayJournal(journal);
  return 0;
}

std::string inAnsiCodePage(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(length > 0 ? length - 1 : 0, '\0');
  if (length > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], length, nullptr, nullptr);
  return out;
}

bool allDigits(const std::wstring& text) {
  if (text.empty()) return false;
  for (wchar_t c : text)
    if (c < L'0' || c > L'9') return false;
  return true;
}

void setVariable(const wchar_t* name, const std::wstring& value) { SetEnvironmentVariableW(name, value.c_str()); }

// The world files, checked by the simulator itself before anything runs.
void checkWorlds(const Options& options, const std::wstring& checker, const std::wstring& library,
                 const std::wstring& tokenModule, const std::wstring& worldFolder, unsigned long timeoutMs) {
  SetEnvironmentVariableW(L"QELT_TOKEN_COUNTERS", nullptr);
  SetEnvironmentVariableW(L"QELT_TOKEN_LOG", nullptr);
  const std::wstring output = joinPath(worldFolder, L"check-output.txt");
  ChildResult check = runChild(quoted(checker) + L" " + quoted(joinPath(library, L"nolm32.dll")) + L" " +
                                   quoted(tokenModule) + L" " + quoted(joinPath(worldFolder, L"check.log")),
                               worldFolder, output, timeoutMs);
  stopIfInterrupted();
  std::string notes;
  readFile(output, &notes);
  if (!check.started) stop(2, "cannot start " + u(checker));
  if (check.exitCode == 2) {
    while (!notes.empty() && (notes.back() == '\n' || notes.back() == '\r')) notes.pop_back();
    stop(2, "the simulator cannot be loaded: " + notes);
  }
  const std::string tokenConfig = "token stand-in: " + u(fullPath(options.token)) + ":";
  std::vector<std::string> seen;
  for (std::string line : splitLines(utf8FromCodePage(notes, 1251))) {
    if (!startsWith(line, "# ") && !startsWith(line, "token stand-in: ")) continue;
    replaceAll(&line, "\r", "");
    const std::string configuration = "# configuration \"";
    size_t lineWord = line.find("\", line ");
    size_t colon = lineWord == std::string::npos ? std::string::npos : line.find(": ", lineWord + 8);
    if (startsWith(line, configuration) && colon != std::string::npos)
      line = u(options.world) + ":" + line.substr(lineWord + 8, colon - lineWord - 8) + ": " + line.substr(colon + 2);
    else if (startsWith(line, tokenConfig))
      line = u(options.token) + ":" + line.substr(tokenConfig.size());
    bool repeated = false;
    for (const std::string& earlier : seen) repeated = repeated || earlier == line;
    if (!repeated) seen.push_back(line);
  }
  if (seen.empty()) return;
  for (const std::string& line : seen) write(STD_ERROR_HANDLE, line + "\n");
  stop(2, "the world files cannot be used (above); nothing was run");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], kWatchOption) == 0) return watchAndTakeAway(argv[2], argv[3]);
  startChildControl();
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) stop(2, error);
  if (options.help) {
    write(STD_OUTPUT_HANDLE, kUsage);
    return 0;
  }
  if (options.script.empty()) {
    write(STD_ERROR_HANDLE, kUsage);
    return 2;
  }
  if (!fileExists(options.script)) stop(2, "no script " + u(options.script));
  if (options.plan.empty()) stop(2, "--plan is required (a plan of one comment line answers no window)");
  for (const std::wstring* file : {&options.plan, &options.world, &options.token, &options.expect})
    if (!file->empty() && !fileExists(*file)) stop(2, "no file " + u(*file));
  std::vector<std::wstring> folders = options.includes;
  folders.push_back(options.files);
  folders.push_back(options.plugins);
  for (const std::wstring& folder : folders)
    if (!folder.empty() && !folderExists(folder)) stop(2, "no folder " + u(folder));
  // The default time limit grows where programs run slower (the 32-bit
  // guest under emulation sets QELT_TIME_SCALE).
  const std::wstring scaleText = environment(L"QELT_TIME_SCALE");
  const unsigned long scale = allDigits(scaleText) ? std::wcstoul(scaleText.c_str(), nullptr, 10) : 1;
  if (!options.timeout.empty() && (!allDigits(options.timeout) || options.timeout.size() > 6))
    stop(2, "--timeout takes whole seconds");
  const unsigned timeout = options.timeout.empty() ? 120 * scale : std::wcstoul(options.timeout.c_str(), nullptr, 10);
  if (!options.flavour.empty() && options.flavour != L"ansi" && options.flavour != L"unicode")
    stop(2, "--flavour is ansi or unicode");
  std::wstring& libraryFolder = options.libraryFolder;
  if (libraryFolder.size() < 3 || !iswalpha(libraryFolder[0]) || libraryFolder[1] != L':' || libraryFolder[2] != L'\\')
    stop(2, "--library-dir must be a full Windows path, such as C:\\Program Files\\Nolm\\ (" + u(libraryFolder) + ")");
  // Scripts append DLL names to it; a command prompt makes a trailing
  // backslash before a closing quote hard to type.
  if (libraryFolder.back() != L'\\') libraryFolder += L'\\';

  // The kit's parts: bin\ holds this program, Simulator\ and Robot\ lie beside it.
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring kit = parentOf(parentOf(self));
  std::wstring simulator = environment(L"QELT_KIT_SIMULATOR");
  if (simulator.empty()) simulator = joinPath(kit, L"Simulator");
  std::wstring library = environment(L"QELT_KIT_LIBRARY");
  if (library.empty()) library = simulator;
  std::wstring tokenModule = environment(L"QELT_KIT_TOKEN_MODULE");
  if (tokenModule.empty()) tokenModule = joinPath(simulator, L"Av337CryptokiD.dll");
  std::wstring robotFolder = environment(L"QELT_KIT_ROBOT");
  if (robotFolder.empty()) robotFolder = joinPath(kit, L"Robot");
  library = fullPath(library);
  tokenModule = fullPath(tokenModule);
  const std::wstring robot = fullPath(joinPath(robotFolder, L"qelt-robot.exe"));
  if (!fileExists(robot)) stop(2, "no robot at " + u(robot));
  if (!fileExists(joinPath(library, L"nolm32.dll"))) stop(2, "no simulated library in " + u(library));
  if (!fileExists(tokenModule)) stop(2, "no simulated token module at " + u(tokenModule));

  std::vector<std::wstring> wantedDlls;
  if (!options.noLibrary) {
    for (const wchar_t* dll : {L"nolm32.dll", L"nolmmsg.dll", L"nolmcc.dll", L"tavrikon.dll", L"wembra.dll", L"Plisk.dll"}) {
      bool left = false;
      for (const std::wstring& name : options.without) left = left || _wcsicmp(name.c_str(), dll) == 0;
      if (!left) wantedDlls.push_back(dll);
    }
  }
  // Only the kit's own simulator is ever put in place.
  std::vector<std::wstring> sources;
  for (const std::wstring& dll : wantedDlls) sources.push_back(joinPath(library, dll));
  if (!options.noToken) sources.push_back(tokenModule);
  for (const std::wstring& source : sources) {
    if (!fileExists(source)) stop(2, "no simulator file " + u(source));
    if (!isKitSimulator(source)) stop(2, u(source) + " is not the kit's simulator; only the simulator is put in place");
  }
  // The installer's bitness follows the simulator's (the x86-64 build is for
  // machines that cannot run 32-bit programs).
  const std::string arch = architectureOf(joinPath(library, L"nolm32.dll"));

  std::wstring makensis = options.makensis.empty() ? installedMakensis() : fullPath(options.makensis);
  if (makensis.empty()) stop(2, "makensis not found: install NSIS, or give --makensis PATH");
  if (!fileExists(makensis)) stop(2, "no makensis at " + u(makensis));
  const bool linuxMakensis = !isWindowsProgram(makensis);
  if (linuxMakensis && !underWine()) stop(2, u(makensis) + " is not a Windows program");

  const std::wstring tokenTarget = joinPath(systemDirectory(), L"Av337CryptokiD.dll");
  if (!isElevated())
    stop(2, "this command needs an elevated prompt (\"Run as administrator\"): for the run it puts the "
            "simulated token module into " + u(tokenTarget) + " and the simulated library into " +
            u(libraryFolder) + ", and takes them away afterwards. Run it on a disposable machine (a CI runner, "
            "a virtual machine, Windows Sandbox). Nothing was changed.");
  SimulatorPlaces places(libraryFolder, library, wantedDlls, tokenTarget, tokenModule, !options.noToken);
  const std::vector<std::wstring> foreign = places.foreignFiles();
  for (const std::wstring& file : foreign)
    say("refused: " + u(file) + " is already there and is not the kit's simulator (a real library or token "
        "module?). The kit never overwrites, renames or removes such a file.");
  if (!foreign.empty()) stop(2, "nothing was changed; run the test on a machine without them (a disposable one)");

  // The run's own folders.
  const std::wstring scriptPath = fullPath(options.script);
  std::wstring name = nameOf(scriptPath);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, L".nsi") == 0) name.resize(name.size() - 4);
  const std::wstring out = fullPath(options.out.empty() ? L"qelt-test-out\\" + name : options.out);
  const std::wstring run = joinPath(out, L"run"), build = joinPath(out, L"build"), world = joinPath(out, L"world");
  const std::wstring mark = joinPath(out, L".qelt-installer-test");
  if (!fileExists(mark) && !fileExists(joinPath(out, L"report.txt")) &&
      (folderExists(run) || folderExists(build) || folderExists(world)))
    stop(2, u(out) + " holds folders run, build or world that this command did not make; give another --out");
  if (!makeFolders(out) || !writeFile(mark, "qelt-installer-test's output folder\n"))
    stop(2, "cannot write into " + u(out));
  for (const std::wstring& folder : {run, build, world})
    if (!removeTree(folder) || !makeFolders(folder)) stop(2, "cannot clear " + u(folder));
  if (!options.files.empty() && !copyTree(options.files, run)) stop(2, "cannot copy " + u(options.files) + " into " + u(run));

  // The library reads its world in Windows-1251.
  const std::wstring worldFile = joinPath(world, L"nolm.cfg");
  if (!options.world.empty()) {
    std::string text, converted;
    size_t position = 0;
    if (!readFile(options.world, &text) || !utf8ToCp1251(text, &converted, &position))
      stop(2, u(options.world) + ": not UTF-8 text in Windows-1251's letters (at byte " + std::to_string(position) + ")");
    writeFile(worldFile, converted);
  }
  setVariable(L"NOLM_STANDIN_CONFIG", options.world.empty() ? L"" : worldFile);
  setVariable(L"QELT_TOKEN_CONFIG", options.token.empty() ? L"" : fullPath(options.token));
  if (!options.world.empty() || !options.token.empty())
    checkWorlds(options, joinPath(parentOf(robot), L"qelt-world-check.exe"), library, tokenModule, world,
                120000 * scale);

  const std::wstring plan = joinPath(build, L"plan.txt");
  CopyFileW(options.plan.c_str(), plan.c_str(), FALSE);
  std::vector<Step> steps;
  const std::string planPath = inAnsiCodePage(plan);
  if (!readPlan(planPath.c_str(), &steps, &error))
    stop(2, startsWith(error, planPath) ? u(options.plan) + error.substr(planPath.size()) : error);

  // The script as makensis should read it: UTF-8 scripts are given as
  // Windows-1251 when they fit, so that ANSI installers keep their Cyrillic.
  std::string scriptText, converted;
  readFile(scriptPath, &scriptText);
  std::wstring source = scriptPath, charset = L"CP1251";
  if (isUtf8(scriptText)) {
    size_t position = 0;
    source = joinPath(build, name + L".nsi");
    if (!utf8ToCp1251(scriptText, &converted, &position)) {
      converted = scriptText;
      charset = L"UTF8";
    }
    writeFile(source, converted);
  }
  const std::wstring scriptFolder = parentOf(scriptPath);
  const std::wstring installerName = name + L"-installer.exe", installer = joinPath(run, installerName);
  // Debian's makensis under Wine reads Linux paths.
  auto forMakensis = [&](const std::wstring& path) { return linuxMakensis ? fromUtf8(linuxPathOf(path)) : path; };
  std::vector<std::wstring> arguments = {L"-V2", L"-NOCD", L"-INPUTCHARSET", charset,
                                         L"-X!addincludedir \"" + forMakensis(scriptFolder) + L"\""};
  for (const std::wstring& folder : options.includes)
    arguments.push_back(L"-X!addincludedir \"" + forMakensis(fullPath(folder)) + L"\"");
  if (!options.flavour.empty())
    arguments.push_back(std::wstring(L"-XUnicode ") + (options.flavour == L"unicode" ? L"true" : L"false"));
  if (arch == "amd64") arguments.push_back(L"-XTarget amd64-unicode");
  if (!options.plugins.empty()) {
    for (const wchar_t* flavour : {L"x86-ansi", L"x86-unicode", L"amd64-unicode"}) {
      std::wstring folder = joinPath(fullPath(options.plugins), flavour);
      if (folderExists(folder))
        arguments.push_back(std::wstring(L"-X!addplugindir /") + flavour + L" \"" + forMakensis(folder) + L"\"");
    }
  }
  arguments.push_back(L"-DQELT_TEST_LIBRARY=" + libraryFolder);
  arguments.push_back(L"-DQELT_TEST_RUN_DIR=" + run);
  arguments.push_back(L"-DQELT_TEST_WORLD=" + worldFile);
  arguments.push_back(L"-DQELT_TEST_OUTFILE=" + forMakensis(joinPath(build, name + L".exe")));
  for (const std::wstring& define : options.defines) arguments.push_back(L"-D" + define);
  // The kit takes the installer from wherever the script's OutFile puts it.
  arguments.push_back(linuxMakensis ? L"-X!finalize 'cp \"%1\" \"" + forMakensis(installer) + L"\"'"
                                    : L"-X!finalize 'copy /b /y \"%1\" \"" + installer + L"\"'");
  arguments.push_back(forMakensis(source));
  const std::wstring makensisOutput = joinPath(build, L"makensis.txt");
  const unsigned long hour = 3600000;
  ChildResult compiled;
  if (linuxMakensis) {
    const std::wstring locale = environment(L"LC_ALL");
    setVariable(L"LC_ALL", L"C");
    std::vector<std::string> command = {linuxPathOf(makensis)};
    for (const std::wstring& argument : arguments) command.push_back(u(argument));
    compiled = runLinuxProgram(command, scriptFolder, makensisOutput, hour);
    SetEnvironmentVariableW(L"LC_ALL", locale.empty() ? nullptr : locale.c_str());
  } else {
    std::wstring commandLine = quoted(makensis);
    for (const std::wstring& argument : arguments) commandLine += L" " + quoted(argument);
    compiled = runChild(commandLine, scriptFolder, makensisOutput, hour);
  }
  stopIfInterrupted();
  if (!compiled.started || compiled.timedOut || compiled.exitCode != 0 || !fileExists(installer)) {
    std::string text;
    readFile(makensisOutput, &text);
    write(STD_ERROR_HANDLE, text);
    stop(2, u(scriptPath) + (compiled.started ? " does not compile (above)" : ": makensis cannot be started"));
  }

  // From here on every way out takes the simulator away again.
  placed = &places;
  const std::wstring journal = joinPath(build, L"placed.txt");
  startWatcher(journal);
  std::string problem;
  if (!places.place(journal, &problem)) stop(2, "the simulator cannot be put in place: " + problem);
  stopIfInterrupted();

  setVariable(L"NOLM_STANDIN_LOG", joinPath(out, L"library-calls.log"));
  setVariable(L"QELT_TOKEN_COUNTERS", joinPath(out, L"token-calls.txt"));
  setVariable(L"QELT_TOKEN_LOG", joinPath(out, L"token-calls.log"));
  // The plug-in's own support log, as a user would switch it on.
  setVariable(L"QELTNSIS_LOG", joinPath(out, L"plugin.log"));
  for (const wchar_t* log : {L"library-calls.log", L"token-calls.txt", L"token-calls.log", L"plugin.log", L"robot.log"})
    DeleteFileW(joinPath(out, log).c_str());
  RunRecord record;
  record.filesBefore = filesUnder(run);
  const std::wstring robotOutput = joinPath(out, L"robot-output.txt");
  // The robot runs elevated like this program, and so does the installer it
  // starts: Windows lets it reach the installer's windows.
  ChildResult played = runChild(quoted(robot) + L" --timeout " + std::to_wstring(timeout) + L" " + quoted(plan) + L" " +
                                    quoted(joinPath(out, L"robot.log")) + L" " + quoted(installerName) + L" " +
                                    options.arguments,
                                run, robotOutput, (timeout + 60) * 1000UL);
  stopIfInterrupted();
  removeSimulator();
  stopIfInterrupted();

  record.script = u(nameOf(scriptPath));
  record.arch = arch;
  record.arguments = u(options.arguments);
  // The 32-bit guest (bin/guest32) says so to every program it runs.
  record.machine = environment(L"QELT_GUEST32") == L"1"
                       ? "a 32-bit guest (qemu): the host's kernel runs 64-bit programs only"
                       : "this machine";
  record.out = out;
  record.run = run;
  record.installer = installerName;
  std::string report = composeReport(record);
  std::string said;
  readFile(robotOutput, &said);
  std::vector<std::string> failed =
      failures(record, timeout, played.timedOut ? 124 : played.exitCode, said);
  if (!options.expect.empty()) {
    std::string expected;
    readFile(options.expect, &expected);
    // An expected file saved with Windows line ends compares as the same text.
    replaceAll(&expected, "\r\n", "\n");
    const std::string compared = sectionsNamedBy(expected, report);
    writeFile(joinPath(build, L"compared.txt"), compared);
    if (compared != expected) {
      std::string difference = unifiedDiff(expected, compared);
      writeFile(joinPath(build, L"expect.diff"), difference);
      while (!difference.empty() && difference.back() == '\n') difference.pop_back();
      failed.push_back("the report differs from " + u(options.expect) + ":\n" + difference);
    }
  }
  report += "== verdict\n";
  if (failed.empty()) report += "passed\n";
  for (const std::string& why : failed) report += "failed: " + why + "\n";
  const std::wstring reportFile = joinPath(out, L"report.txt");
  writeFile(reportFile, report);
  if (!options.quiet || !failed.empty()) write(STD_OUTPUT_HANDLE, report);
  say(u(nameOf(out)) + ": " + (failed.empty() ? "passed" : "FAILED") + " (report: " + u(reportFile) + ")");
  return failed.empty() ? 0 : 1;
}
