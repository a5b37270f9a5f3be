// Every dialog in Ukrainian and in English: the chosen language's words, each
// label and button whole on its line, and a picture for the documentation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_robot.h"
#include "nolm_world.h"
#include "screenshot.h"
#include "text_1251.h"
#include "text_id.h"
#include "ui_test_support.h"

namespace {

std::wstring catalogue(TextId id, Language language) {
  wchar_t text[512];
  wideFrom1251(builtinText(id, language), text, 512);
  return text;
}

// A push button's text needs room for its frame on both sides.
constexpr int kButtonFrame = 6;

// What the robot read: each text shown, and the texts that do not fit.
struct Seen {
  std::wstring caption;
  std::vector<std::wstring> texts;
  std::vector<std::wstring> cut;
  bool screenshot = false;
};

void look(HWND dialog, const std::string& picture, Seen* seen) {
  seen->caption = windowTextWide(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = className(child);
    if (kind != "Static" && kind != "Button") continue;
    const std::wstring text = windowTextWide(child);
    seen->texts.push_back(text);
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
    SIZE needed = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    RECT room;
    GetClientRect(child, &room);
    if (needed.cx + (kind == "Button" ? kButtonFrame : 0) > room.right) seen->cut.push_back(text);
  }
  seen->screenshot = saveScreenshot(dialog, picture);
}

struct Dialog {
  const char* picture;  // and the command that opens it
  TextId caption;
  std::vector<TextId> texts;  // in the template's order
};

class DialogLanguages : public ::testing::TestWithParam<Language> {};

TEST_P(DialogLanguages, EveryDialogShowsTheLanguagesWordsWhole) {
  REQUIRE_DISPLAY();
  const Language language = GetParam();
  NolmWorld world("[reader Зчитувач ACS 0]\n[reader Зчитувач ACS 1]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.push(language == Language::kUkrainian ? "uk" : "en");
  host.call("Language");
  ASSERT_EQ(host.var(VAR_0), "1");
  writeFile(world.path("AB000001.KEY"), "");
  writeFile(world.path("CD000002.KEY"), "");

  const Dialog dialogs[] = {
      {"password_dialog",
       TextId::password_caption,
       {TextId::ok_button, TextId::password_cancel_button, TextId::password_label}},
      {"password_change_dialog",
       TextId::change_caption,
       {TextId::ok_button, TextId::password_cancel_button, TextId::change_current_label,
        TextId::change_new_label, TextId::change_repeat_label}},
      {"key_choice_dialog",
       TextId::key_choice_caption,
       {TextId::ok_button, TextId::list_cancel_button, TextId::key_choice_label}},
      {"device_choice_dialog",
       TextId::device_choice_caption,
       {TextId::ok_button, TextId::list_cancel_button, TextId::device_choice_label}},
  };
  for (const Dialog& dialog : dialogs) {
    const std::string picture = std::string(dialog.picture) + "_" + languageName(language);
    SCOPED_TRACE(picture);
    Seen seen;
    DialogRobot robot(wideTo1251(catalogue(dialog.caption, language)), [&](HWND shown) {
      look(shown, picture, &seen);
      pressCloseBox(shown);
    });
    if (picture.rfind("password_dialog", 0) == 0) {
      host.call("PromptPassword");
    } else if (picture.rfind("password_change", 0) == 0) {
      host.call("PromptPasswordChange");
    } else if (picture.rfind("key_choice", 0) == 0) {
      host.push(world.dataDirectory());
      host.call("ReadFolderKey");
    } else {
      host.call("CheckToken");
    }
    ASSERT_TRUE(robot.finish()) << "the dialog did not show";
    std::vector<std::wstring> expected;
    for (TextId id : dialog.texts) expected.push_back(catalogue(id, language));
    EXPECT_EQ(seen.texts, expected);
    EXPECT_TRUE(seen.cut.empty()) << "cut: " << wideTo1251(seen.cut.empty() ? L"" : seen.cut[0]);
    EXPECT_TRUE(seen.screenshot);
  }
}

INSTANTIATE_TEST_SUITE_P(UkrainianAndEnglish, DialogLanguages,
                         ::testing::Values(Language::kUkrainian, Language::kEnglish),
                         [](const ::testing::TestParamInfo<Language>& info) {
                           return std::string(languageName(info.param));
                         });

}  // namespace
