#include "simulator_places.h"

#include <windows.h>

#include <cwchar>

#include "files.h"
#include "text.h"

bool isKitSimulator(const std::wstring& dll) {
  // As data only: nothing of the file runs.
  HMODULE module = LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return false;
  bool found = false;
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const auto* data = loaded ? static_cast<const wchar_t*>(LockResource(loaded)) : nullptr;
  if (data) {
    static const wchar_t kMark[] = L"QeltNSIS test kit simulator";
    const size_t units = SizeofResource(module, resource) / sizeof(wchar_t);
    const size_t markUnits = sizeof kMark / sizeof *kMark - 1;
    for (size_t i = 0; !found && i + markUnits <= units; ++i) found = std::wmemcmp(data + i, kMark, markUnits) == 0;
  }
  FreeLibrary(module);
  return found;
}

SimulatorPlaces::SimulatorPlaces(const std::wstring& libraryFolder, const std::wstring& librarySource,
                                 const std::vector<std::wstring>& wantedDlls, const std::wstring& tokenModuleTarget,
                                 const std::wstring& tokenModuleSource, bool tokenWanted)
    : libraryFolder_(libraryFolder) {
  static const wchar_t* const kLibraryDlls[] = {L"nolm32.dll", L"nolmmsg.dll", L"nolmcc.dll",
                                               L"tavrikon.dll", L"wembra.dll", L"Plisk.dll"};
  for (const wchar_t* dll : kLibraryDlls) {
    bool wanted = false;
    for (const std::wstring& name : wantedDlls) wanted = wanted || _wcsicmp(name.c_str(), dll) == 0;
    spots_.push_back({joinPath(libraryFolder, dll), joinPath(librarySource, dll), wanted});
  }
  spots_.push_back({tokenModuleTarget, tokenModuleSource, tokenWanted});
}

std::vector<std::wstring> SimulatorPlaces::foreignFiles() const {
  std::vector<std::wstring> foreign;
  for (const Spot& spot : spots_)
    if (GetFileAttributesW(spot.target.c_str()) != INVALID_FILE_ATTRIBUTES && !isKitSimulator(spot.target))
      foreign.push_back(spot.target);
  return foreign;
}

// The folders makeFolders would create for `folder`, outermost first.
static std::vector<std::wstring> missingFolders(const std::wstring& folder) {
  std::vector<std::wstring> missing;
  for (std::wstring at = folder; !folderExists(at); at = parentOf(at)) {
    missing.insert(missing.begin(), at);
    if (parentOf(at) == at) break;
  }
  return missing;
}

// Journal lines: "folder <path>" or "file <path>", UTF-8, in the order made.
bool SimulatorPlaces::writeJournal() const {
  std::string text;
  for (const std::wstring& folder : madeFolders_) text += "folder " + toUtf8(folder) + "\n";
  for (const std::wstring& file : placed_) text += "file " + toUtf8(file) + "\n";
  return writeFile(journal_, text);
}

bool SimulatorPlaces::place(const std::wstring& journal, std::string* problem) {
  journal_ = journal;
  for (const std::wstring& folder : missingFolders(libraryFolder_)) {
    madeFolders_.push_back(folder);
    if (!writeJournal()) {
      *problem = "cannot write " + toUtf8(journal_);
      madeFolders_.pop_back();
      return false;
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
      *problem = "cannot make the folder " + toUtf8(folder);
      madeFolders_.pop_back();
      return false;
    }
  }
  for (const Spot& spot : spots_) {
    bool there = GetFileAttributesW(spot.target.c_str()) != INVALID_FILE_ATTRIBUTES;
    // Checked once more right before: the file may have come since.
    if (there && !isKitSimulator(spot.target)) {
      *problem = toUtf8(spot.target) + " is not the kit's simulator";
      return false;
    }
    if (!spot.wanted) {
      if (there && !DeleteFileW(spot.target.c_str())) {
        *problem = "cannot remove the simulator an earlier run left at " + toUtf8(spot.target);
        return false;
      }
      continue;
    }
    placed_.push_back(spot.target);
    if (!writeJournal()) {
      *problem = "cannot write " + toUtf8(journal_);
      return false;
    }
    if (!CopyFileW(spot.source.c_str(), spot.target.c_str(), there ? FALSE : TRUE)) {
      *problem = "cannot copy " + toUtf8(spot.source) + " to " + toUtf8(spot.target);
      return false;
    }
  }
  return true;
}

namespace {

// Removes one placed file if it is still the simulator; a line saying why
// not otherwise, or "".
std::string takeAwayFile(const std::wstring& file) {
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return "";
  if (!isKitSimulator(file)) return toUtf8(file) + " (no longer the kit's simulator: something replaced it)";
  // A process that is still ending may hold the DLL for a moment.
  DWORD error = 0;
  for (int attempt = 0; attempt < 50; ++attempt, Sleep(100)) {
    if (DeleteFileW(file.c_str())) break;
    error = GetLastError();
  }
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return "";
  return toUtf8(file) + " (the simulator: it could not be removed, error " + std::to_string(error) + ")";
}

std::string takeAwayFolder(const std::wstring& folder) {
  if (RemoveDirectoryW(folder.c_str()) || !folderExists(folder)) return "";
  return toUtf8(folder) + " (a folder the kit made: it holds files the kit did not place)";
}

std::vector<std::string> takeAway(const std::vector<std::wstring>& files, const std::vector<std::wstring>& folders) {
  std::vector<std::string> left;
  for (const std::wstring& file : files)
    if (std::string why = takeAwayFile(file); !why.empty()) left.push_back(why);
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
    if (std::string why = takeAwayFolder(*folder); !why.empty()) left.push_back(why);
  return left;
}

}  // namespace

std::vector<std::string> SimulatorPlaces::removePlaced() {
  std::vector<std::string> left = takeAway(placed_, madeFolders_);
  placed_.clear();
  madeFolders_.clear();
  if (!journal_.empty()) DeleteFileW(journal_.c_str());
  return left;
}

void takeAwayJournal(const std::wstring& journal) {
  std::string text;
  if (!readFile(journal, &text)) return;
  std::vector<std::wstring> files, folders;
  for (const std::string& line : splitLines(text)) {
    if (startsWith(line, "file ")) files.push_back(fromUtf8(line.substr(5)));
    if (startsWith(line, "folder ")) folders.push_back(fromUtf8(line.substr(7)));
  }
  takeAway(files, folders);
  DeleteFileW(journal.c_str());
}
