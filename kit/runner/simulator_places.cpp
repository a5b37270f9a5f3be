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

bool SimulatorPlaces::place(std::string* problem) {
  for (const std::wstring& folder : missingFolders(libraryFolder_)) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
      *problem = "cannot make the folder " + toUtf8(folder);
      return false;
    }
    madeFolders_.push_back(folder);
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
    if (!CopyFileW(spot.source.c_str(), spot.target.c_str(), there ? FALSE : TRUE)) {
      *problem = "cannot copy " + toUtf8(spot.source) + " to " + toUtf8(spot.target);
      return false;
    }
  }
  return true;
}

std::vector<std::string> SimulatorPlaces::removePlaced() {
  std::vector<std::string> left;
  for (const std::wstring& file : placed_) {
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (!isKitSimulator(file)) {
      left.push_back(toUtf8(file) + " (no longer the kit's simulator: something replaced it)");
      continue;
    }
    // A process that is still ending may hold the DLL for a moment.
    DWORD error = 0;
    for (int attempt = 0; attempt < 50; ++attempt, Sleep(100)) {
      if (DeleteFileW(file.c_str())) break;
      error = GetLastError();
    }
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES)
      left.push_back(toUtf8(file) + " (the simulator: it could not be removed, error " + std::to_string(error) + ")");
  }
  placed_.clear();
  for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
    if (!RemoveDirectoryW(folder->c_str()) && folderExists(*folder))
      left.push_back(toUtf8(*folder) + " (a folder the kit made: it holds files the kit did not place)");
  madeFolders_.clear();
  return left;
}
