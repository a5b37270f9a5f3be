#include "files.h"

#include <windows.h>

#include <algorithm>

#include "text.h"

bool readFile(const std::wstring& path, std::string* bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) bytes->append(buffer, read);
  CloseHandle(file);
  return ok;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
  return CloseHandle(file) && ok;
}

static DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool fileExists(const std::wstring& path) {
  DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::wstring& path) {
  DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring fullPath(const std::wstring& path) {
  DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (!length) return path;
  std::wstring full(length, L'\0');
  length = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
  full.resize(length);
  return full;
}

static size_t lastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

static std::wstring withoutTrailingSeparator(const std::wstring& path) {
  std::wstring trimmed = path;
  while (trimmed.size() > 3 && (trimmed.back() == L'\\' || trimmed.back() == L'/')) trimmed.pop_back();
  return trimmed;
}

std::wstring parentOf(const std::wstring& path) {
  std::wstring trimmed = withoutTrailingSeparator(path);
  size_t at = lastSeparator(trimmed);
  if (at == std::wstring::npos) return L".";
  return at == 2 && trimmed[1] == L':' ? trimmed.substr(0, 3) : trimmed.substr(0, at);
}

std::wstring nameOf(const std::wstring& path) {
  std::wstring trimmed = withoutTrailingSeparator(path);
  size_t at = lastSeparator(trimmed);
  return at == std::wstring::npos ? trimmed : trimmed.substr(at + 1);
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L"\\" + name;
}

bool makeFolders(const std::wstring& folder) {
  std::wstring trimmed = withoutTrailingSeparator(folder);
  if (folderExists(trimmed)) return true;
  std::wstring parent = parentOf(trimmed);
  if (parent != trimmed && !makeFolders(parent)) return false;
  return CreateDirectoryW(trimmed.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Calls `visit` with each entry of `folder` but "." and "..".
template <typename Visit>
static bool forEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(joinPath(folder, L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool ok = true;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    ok = visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) && ok;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return ok;
}

bool removeTree(const std::wstring& folder) {
  if (!folderExists(folder)) return true;
  bool ok = forEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
    std::wstring path = joinPath(folder, name);
    // A link to a folder is removed as a link, never followed.
    if (isFolder && !(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) return removeTree(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return isFolder ? RemoveDirectoryW(path.c_str()) != FALSE : DeleteFileW(path.c_str()) != FALSE;
  });
  return RemoveDirectoryW(folder.c_str()) && ok;
}

bool copyTree(const std::wstring& from, const std::wstring& to) {
  if (!makeFolders(to)) return false;
  return forEachEntry(from, [&](const std::wstring& name, bool isFolder) {
    std::wstring source = joinPath(from, name), target = joinPath(to, name);
    return isFolder ? copyTree(source, target) : CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
  });
}

static void collectFiles(const std::wstring& folder, const std::string& prefix, std::vector<std::string>* files) {
  forEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
    std::string relative = prefix + toUtf8(name);
    if (isFolder)
      collectFiles(joinPath(folder, name), relative + "/", files);
    else
      files->push_back(relative);
    return true;
  });
}

std::vector<std::string> filesUnder(const std::wstring& root) {
  std::vector<std::string> files;
  collectFiles(root, "", &files);
  std::sort(files.begin(), files.end());
  return files;
}
