// Files and folders by their Windows paths.
#pragma once

#include <string>
#include <vector>

bool readFile(const std::wstring& path, std::string* bytes);
bool writeFile(const std::wstring& path, const std::string& bytes);
bool fileExists(const std::wstring& path);  // a file, not a folder
bool folderExists(const std::wstring& path);

std::wstring fullPath(const std::wstring& path);
std::wstring parentOf(const std::wstring& path);
std::wstring nameOf(const std::wstring& path);
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);

// Creates `folder` and whatever of its parents is missing.
bool makeFolders(const std::wstring& folder);
// Removes `folder` with everything in it.
bool removeTree(const std::wstring& folder);
// Copies what `from` holds into `to` (both folders), subfolders too.
bool copyTree(const std::wstring& from, const std::wstring& to);
// Every file under `root`, as UTF-8 paths relative to it with '/' between
// folders, sorted bytewise.
std::vector<std::string> filesUnder(const std::wstring& root);
