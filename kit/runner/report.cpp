#include "report.h"

#include <cstring>
#include <map>
#include <set>

#include "files.h"
#include "text.h"

namespace {

// As `file` tells text: empty, UTF-16 with its mark, or no byte that never
// appears in text (a single byte is too short for it to tell).
bool looksLikeText(const std::string& bytes) {
  if (bytes.empty()) return true;
  if (bytes.size() == 1) return false;
  if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) return true;
  for (unsigned char c : bytes)
    if ((c < 7) || (c >= 0x0E && c < 0x20 && c != 0x1B) || c == 0x7F) return false;
  return true;
}

std::string textOf(const std::string& bytes) {
  if (startsWith(bytes, "\xFF\xFE")) {
    std::string text = utf8FromUtf16le(bytes);
    return startsWith(text, "\xEF\xBB\xBF") ? text.substr(3) : text;
  }
  return isUtf8(bytes) ? bytes : utf8FromCodePage(bytes, 1251);
}

// Each line loses its carriage return; the run's folders become <run> and
// <out>, also where a log doubles their backslashes.
std::string normalize(const std::string& text, const RunRecord& record) {
  bool terminated = true;
  std::string out;
  std::vector<std::string> lines = splitLines(text, &terminated);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (const auto& folder : {std::make_pair(std::string("<run>"), toUtf8(record.run)),
                               std::make_pair(std::string("<out>"), toUtf8(record.out))}) {
      std::string doubled = folder.second;
      replaceAll(&doubled, "\\", "\\\\");
      replaceAll(&line, doubled, folder.first);
      replaceAll(&line, folder.second, folder.first);
    }
    out += line;
    if (i + 1 < lines.size() || terminated) out += "\n";
  }
  return out;
}

std::string fileText(const std::wstring& path) {
  std::string bytes;
  readFile(path, &bytes);
  return bytes;
}

// How many characters from `at` on are in `set`.
size_t spanAt(const std::string& text, size_t at, const char* set) {
  size_t end = at;
  while (end < text.size() && std::strchr(set, text[end]) && text[end]) ++end;
  return end - at;
}

const char kDigits[] = "0123456789";
const char kVersion[] = "0123456789.";

// "2025-01-31 12:00:00.000 " at the start of a line: its length, or 0.
size_t stampLength(const std::string& line) {
  const char shape[] = "dddd-dd-dd ";
  if (line.size() < 24) return 0;
  for (size_t i = 0; i < 11; ++i)
    if (shape[i] == 'd' ? !std::strchr(kDigits, line[i]) : line[i] != shape[i]) return 0;
  return spanAt(line, 11, "0123456789:.") >= 12 && line[23] == ' ' ? 24 : 0;
}

// The plug-in's log without what changes from run to run: time stamps,
// durations, the versions of the plug-in, the DLLs and Windows.
std::string stableLogLine(std::string line) {
  line.erase(0, stampLength(line));
  size_t open = line.rfind(" (");
  if (open != std::string::npos && line.size() > open + 6 && line.compare(line.size() - 4, 4, " ms)") == 0 &&
      spanAt(line, open + 2, kDigits) == line.size() - 4 - open - 2)
    line.replace(open, std::string::npos, " (<ms>)");
  if (startsWith(line, "QeltNSIS ")) {
    size_t version = spanAt(line, 9, kVersion), at = 9 + version;
    size_t build = version && line.compare(at, 2, " (") == 0 ? spanAt(line, at + 2, "abcdefghijklmnopqrstuvwxyz0123456789") : 0;
    // The build's name ends in its flavour: x86-ansi, x86-unicode.
    for (const char* flavour : {"-ansi)", "-unicode)"}) {
      size_t length = std::strlen(flavour);
      if (build && line.compare(at + 2 + build, length, flavour) == 0) {
        line.replace(0, at + 2 + build + length, "QeltNSIS <version> (<flavour>)");
        break;
      }
    }
  }
  for (size_t at = line.find("loaded, version "); at != std::string::npos; at = line.find("loaded, version ", at + 1)) {
    size_t version = spanAt(line, at + 16, kVersion);
    if (version && line.compare(at + 16 + version, 1, ":") == 0) {
      line.replace(at + 16, version, "<version>");
      break;
    }
  }
  if (startsWith(line, "Windows ")) {
    size_t version = spanAt(line, 8, kVersion), at = 8 + version;
    size_t build = version && line.compare(at, 7, " build ") == 0 ? spanAt(line, at + 7, kDigits) : 0;
    if (build && line.compare(at + 7 + build, 1, ",") == 0) line.replace(0, at + 7 + build, "Windows <version>");
  }
  return line;
}

std::string stablePluginLog(const std::string& log) {
  bool terminated = true;
  std::vector<std::string> lines = splitLines(log, &terminated);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    out += stableLogLine(lines[i]);
    if (i + 1 < lines.size() || terminated) out += "\n";
  }
  return out;
}

std::string exitCodeOf(const std::string& robotLog) {
  std::string code;
  for (const std::string& line : splitLines(robotLog))
    if (startsWith(line, "exit code ")) code = line.substr(10);
  return code;
}

}  // namespace

std::string composeReport(const RunRecord& record) {
  const std::wstring robotLogPath = joinPath(record.out, L"robot.log");
  const bool robotRan = fileExists(robotLogPath);
  const std::string robotLog = fileText(robotLogPath);
  std::string report = "== installer\n" + record.script + " (" + record.arch + "), run with: " + record.arguments +
                       "\n== machine\n" + record.machine + "\n== windows\n";
  if (robotRan) {
    bool terminated = true;
    std::vector<std::string> lines = splitLines(robotLog, &terminated);
    std::string kept;
    for (size_t i = 0; i < lines.size(); ++i)
      if (!startsWith(lines[i], "exit code ")) kept += lines[i] + (i + 1 < lines.size() || terminated ? "\n" : "");
    report += normalize(kept, record);
  }
  std::string exitCode = exitCodeOf(robotLog);
  report += "== exit\n" + (exitCode.empty() ? std::string("none") : exitCode) + "\n";

  const std::set<std::string> before(record.filesBefore.begin(), record.filesBefore.end());
  const std::string installer = toUtf8(record.installer);
  for (const std::string& file : filesUnder(record.run)) {
    if (before.count(file) || file == installer) continue;
    report += "== file " + file + "\n";
    std::string bytes = fileText(joinPath(record.run, fromUtf8(file)));
    if (looksLikeText(bytes))
      report += normalize(textOf(bytes), record);
    else
      report += "(" + std::to_string(bytes.size()) + " bytes, not text)\n";
  }
  report += "== library calls\n" + normalize(utf8FromCodePage(fileText(joinPath(record.out, L"library-calls.log")), 1251), record);
  report += "== token calls\n" + normalize(fileText(joinPath(record.out, L"token-calls.log")), record);
  std::string pluginLog = fileText(joinPath(record.out, L"plugin.log"));
  if (startsWith(pluginLog, "\xEF\xBB\xBF")) pluginLog.erase(0, 3);
  report += "== plug-in log\n" + stablePluginLog(normalize(pluginLog, record));
  return report;
}

std::vector<std::string> failures(const RunRecord& record, unsigned timeoutSeconds, unsigned long robotStatus,
                                  const std::string& robotOutput) {
  std::vector<std::string> failed;
  const std::wstring robotLogPath = joinPath(record.out, L"robot.log");
  const bool robotRan = fileExists(robotLogPath);
  const std::vector<std::string> lines = splitLines(fileText(robotLogPath));
  std::string window, why;
  for (const std::string& line : lines) {
    if (startsWith(line, "window ")) window = line.substr(7);
    if (startsWith(line, "  ") &&
        (line.find(": no such", 2) != std::string::npos || line.find(": the button is disabled", 2) != std::string::npos))
      why = line.substr(2);
    if (startsWith(line, "  not in the plan: closed")) failed.push_back("a window the plan does not answer: " + window);
    size_t number = startsWith(line, "  plan line ") ? spanAt(line, 12, kDigits) : 0;
    const char kCannot[] = " cannot be carried out";
    if (number && line.compare(12 + number, sizeof kCannot - 1, kCannot) == 0)
      failed.push_back("the plan's line " + line.substr(12, number) + " cannot be carried out in the window " + window +
                       ": " + why);
  }
  bool hung = false;
  std::string stillOpen;
  for (const std::string& line : lines) {
    hung = hung || startsWith(line, "the installer did not end");
    if (startsWith(line, "  still open: ")) stillOpen += "; showing " + line.substr(14);
  }
  if (hung) failed.push_back("the installer hung: it did not end within " + std::to_string(timeoutSeconds) + " s" + stillOpen);
  for (const std::string& line : lines)
    if (startsWith(line, "plan step not reached: line "))
      failed.push_back("the plan's line " + line.substr(28) + " answered no window (it never opened)");
  std::string exitCode = exitCodeOf(fileText(robotLogPath));
  if (startsWith(exitCode, "0x")) failed.push_back("the installer crashed (exception " + exitCode + ")");
  if (!robotRan)
    failed.push_back("the robot did not run (status " + std::to_string(robotStatus) + "; it said: " +
                     robotOutput.substr(0, 400) + ")");
  if (exitCode.empty() && robotRan)
    failed.push_back("the robot ended before the installer (status " + std::to_string(robotStatus) + ")");
  return failed;
}

std::string sectionsNamedBy(const std::string& expected, const std::string& report) {
  std::vector<std::string> wanted;
  for (const std::string& line : splitLines(expected))
    if (startsWith(line, "== ")) wanted.push_back(line);
  std::map<std::string, std::string> bodies;
  std::string name;
  for (const std::string& line : splitLines(report)) {
    if (startsWith(line, "== ")) name = line;
    bodies[name] += line + "\n";
  }
  std::string out;
  for (const std::string& section : wanted) out += bodies.count(section) ? bodies[section] : section + "\n(missing)\n";
  return out;
}
