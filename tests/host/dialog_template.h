// Reads an extended dialog template (DIALOGEX) out of a module's resources,
// so a test can compare it with the table it was written from.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  DWORD exStyle;
  DWORD style;
  int x, y, width, height;
  int id;
  std::string className;  // predefined classes by name: "Button", "Edit", ...
  std::string text;       // in the ANSI code page of the tests (1251)
};

struct DialogTemplate {
  bool found = false;
  DWORD exStyle = 0;
  DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::string caption;
  int pointSize = 0;
  int weight = 0;
  int italic = 0;
  int charset = 0;
  std::string typeface;
  std::vector<TemplateItem> items;
};

// The template of dialog id in the given language; found is false if absent.
DialogTemplate readDialogTemplate(HMODULE module, int id, LANGID language);
