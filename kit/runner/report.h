// The report of a run (kit/docs/report-format.md): sections "== <name>",
// the run's folders written <run> and <out>, time stamps and versions
// left out, then the verdict.
#pragma once

#include <string>
#include <vector>

struct RunRecord {
  std::string script;       // the script's file name
  std::string arch;         // x86 or amd64
  std::string arguments;    // the installer's command line
  std::string machine;      // where it ran
  std::wstring out, run;    // the run's folders
  std::wstring installer;   // the installer's file name in `run`
  std::vector<std::string> filesBefore;  // what `run` held before the installer ran
};

// Everything but the verdict, as UTF-8.
std::string composeReport(const RunRecord& record);

// What failed, one line each: from the robot's log, the time limit and the
// robot's own status (`robotStatus`, `robotOutput` when it did not run).
std::vector<std::string> failures(const RunRecord& record, unsigned timeoutSeconds, unsigned long robotStatus,
                                  const std::string& robotOutput);

// The sections of `report` named by the expected file, each whole, in the
// expected file's order; a section the report lacks reads "(missing)".
std::string sectionsNamedBy(const std::string& expected, const std::string& report);
