// Where a run puts the simulator, and taking it away again. The simulated
// library goes into the library folder the script expects, the simulated
// token module into the system directory (for a 32-bit program on 64-bit
// Windows that is SysWOW64: Windows redirects it). A file there that is not
// the kit's own simulator is never overwritten, renamed or removed.
#pragma once

#include <string>
#include <vector>

// True when `dll`'s version resource names it the test kit's simulator.
bool isKitSimulator(const std::wstring& dll);

class SimulatorPlaces {
 public:
  // `libraryDlls` are the library's six DLL names; `wanted` says which of
  // them go into `libraryFolder` (taken from `librarySource`).
  SimulatorPlaces(const std::wstring& libraryFolder, const std::wstring& librarySource,
                  const std::vector<std::wstring>& wantedDlls, const std::wstring& tokenModuleTarget,
                  const std::wstring& tokenModuleSource, bool tokenWanted);

  // Files already where the simulator would go that are not the simulator.
  std::vector<std::wstring> foreignFiles() const;

  // Puts the simulator in place; a simulator left by an earlier run is
  // replaced (or removed where this run wants none). False with *problem
  // when something could not be placed; what was placed stays recorded.
  // Each file and folder is written into the journal file before it is
  // placed, so that whoever outlives a killed run can take it away
  // (takeAwayJournal).
  bool place(const std::wstring& journal, std::string* problem);

  // Removes what place() put there (only files that are still the
  // simulator) and the folders it made (when empty), then the journal.
  // Returns one line for each thing it had to leave, saying where and why.
  std::vector<std::string> removePlaced();

 private:
  struct Spot {
    std::wstring target, source;
    bool wanted;
  };
  bool writeJournal() const;

  std::wstring libraryFolder_, journal_;
  std::vector<Spot> spots_;
  std::vector<std::wstring> placed_, madeFolders_;
};

// Takes away what a run's journal names (files only while they are still the
// simulator, folders only when empty), then the journal itself.
void takeAwayJournal(const std::wstring& journal);
