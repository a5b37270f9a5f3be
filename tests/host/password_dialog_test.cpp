// PromptPassword and PromptPasswordChange, with a robot as the user.
#include <gtest/gtest.h>

#include <string>

#include "dialog_robot.h"
#include "dialog_template.h"
#include "nsis_plugin_api.h"
#include "plugin_host.h"
#include "screenshot.h"
#include "ui_test_support.h"

namespace {

const LANGID kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);  // 1049
const char kPasswordCaption[] = "Вкажіть пароль";
const char kChangeCaption[] = "Зміна пароля\\пін-кода";
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kDefaultOk = kButton | BS_DEFPUSHBUTTON | WS_DISABLED;

void expectItem(const TemplateItem& item, int id, const char* cls, const char* text, int x, int y,
                int width, int height, DWORD style) {
  SCOPED_TRACE(std::string("control ") + std::to_string(id) + " " + text);
  EXPECT_EQ(item.id, id);
  EXPECT_EQ(item.className, cls);
  EXPECT_EQ(item.text, text);
  EXPECT_EQ(item.x, x);
  EXPECT_EQ(item.y, y);
  EXPECT_EQ(item.width, width);
  EXPECT_EQ(item.height, height);
  EXPECT_EQ(item.style, style);
  EXPECT_EQ(item.exStyle, 0u);
}

void expectDialogFrame(const DialogTemplate& t, const char* caption, int width, int height) {
  ASSERT_TRUE(t.found) << "no DIALOGEX in language 1049";
  EXPECT_EQ(t.caption, caption);
  EXPECT_EQ(t.style, kPasswordDialogStyle);
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ(t.width, width);
  EXPECT_EQ(t.height, height);
  EXPECT_EQ(t.typeface, "MS Shell Dlg");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.weight, 400);
  EXPECT_EQ(t.italic, 0);
  EXPECT_EQ(t.charset, 1);
}

TEST(PasswordDialogTemplates, PasswordDialogIsAsDesigned) {
  PluginHost host;
  DialogTemplate t = readDialogTemplate(host.module(), 101, kRussian);
  expectDialogFrame(t, kPasswordCaption, 167, 78);
  ASSERT_EQ(t.items.size(), 4u);
  expectItem(t.items[0], 1, "Button", "OK", 7, 41, 50, 14, kDefaultOk);
  expectItem(t.items[1], 2, "Button", "Відмінити", 110, 42, 50, 14, kButton);
  expectItem(t.items[2], 1001, "Edit", "", 7, 19, 151, 14, kEdit);
  expectItem(t.items[3], -1, "Static", "Вкажіть пароль таємного ключа:", 7, 7, 153, 8, kLabel);
}

TEST(PasswordDialogTemplates, PasswordChangeDialogIsAsDesigned) {
  PluginHost host;
  DialogTemplate t = readDialogTemplate(host.module(), 102, kRussian);
  expectDialogFrame(t, kChangeCaption, 168, 117);
  ASSERT_EQ(t.items.size(), 8u);
  expectItem(t.items[0], 3, "Button", "OK", 7, 89, 50, 14, kDefaultOk);
  expectItem(t.items[1], 4, "Button", "Відмінити", 110, 90, 50, 14, kButton);
  expectItem(t.items[2], 1001, "Edit", "", 7, 19, 151, 14, kEdit);
  expectItem(t.items[3], -1, "Static", "Вкажіть поточний пароль\\пін-код:", 7, 7, 153, 8, kLabel);
  expectItem(t.items[4], -1, "Static", "Вкажіть новий пароль\\пін-код:", 7, 34, 153, 8, kLabel);
  expectItem(t.items[5], 1002, "Edit", "", 7, 45, 151, 14, kEdit);
  expectItem(t.items[6], -1, "Static", "Повторіть новий пароль\\пін-кода:", 7, 60, 153, 8, kLabel);
  expectItem(t.items[7], 1003, "Edit", "", 7, 71, 151, 14, kEdit);
}

// What the robot saw in the password dialog.
struct PasswordDialogSeen {
  ControlSnapshot ok, cancel, edit;
  RECT editExpected = {};
  DWORD style = 0;
  HWND owner = nullptr;
  bool focusOnEdit = false;
  bool okAfterTyping = false;
  bool okAfterErasing = true;
  bool aliveAfterEnter = false;
  bool screenshot = false;
};

TEST(PromptPassword, OkFollowsTheFieldAndEnterConfirms) {
  REQUIRE_DISPLAY();
  PluginHost host;
  OwnerWindow owner;
  host.setVar(VAR_2, "stale");
  host.setVar(VAR_3, "keeps");
  PasswordDialogSeen seen;
  DialogRobot robot(kPasswordCaption, [&](HWND dialog) {
    seen.style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ok = snapshotControl(dialog, 1);
    seen.cancel = snapshotControl(dialog, 2);
    seen.edit = snapshotControl(dialog, 1001);
    seen.editExpected = dialogUnitsToPixels(dialog, 7, 19, 151, 14);
    HWND edit = GetDlgItem(dialog, 1001);
    seen.focusOnEdit = focusedControl(dialog) == edit;
    // Enter with the field empty: OK is greyed, nothing happens.
    pressKey(edit, VK_RETURN);
    seen.aliveAfterEnter = dialogStillAnswers(edit);
    eraseLastCharacter(edit);
    typeText(edit, "ж");
    seen.okAfterTyping = IsWindowEnabled(GetDlgItem(dialog, 1)) != FALSE;
    eraseLastCharacter(edit);
    seen.okAfterErasing = IsWindowEnabled(GetDlgItem(dialog, 1)) != FALSE;
    typeText(edit, "Таємний пароль 1");
    seen.screenshot = saveScreenshot(dialog, "password_dialog");
    pressKey(edit, VK_RETURN);
  });
  host.call("PromptPassword", owner.handle());
  ASSERT_TRUE(robot.finish()) << "the dialog did not show";
  EXPECT_FALSE(robot.leftOpen()) << "Enter with a password did not close the dialog";

  EXPECT_EQ(seen.style & kPasswordDialogStyle, kPasswordDialogStyle);
  EXPECT_EQ(seen.owner, owner.handle());
  EXPECT_EQ(seen.ok.className, "Button");
  EXPECT_EQ(seen.ok.text, "OK");
  EXPECT_FALSE(seen.ok.enabled) << "OK must start greyed";
  EXPECT_TRUE(seen.ok.style & BS_DEFPUSHBUTTON);
  EXPECT_EQ(seen.cancel.text, "Відмінити");
  EXPECT_TRUE(seen.cancel.enabled);
  EXPECT_EQ(seen.edit.className, "Edit");
  EXPECT_TRUE(seen.edit.style & ES_PASSWORD);
  EXPECT_EQ(seen.edit.rect.left, seen.editExpected.left);
  EXPECT_EQ(seen.edit.rect.top, seen.editExpected.top);
  EXPECT_EQ(seen.edit.rect.right, seen.editExpected.right);
  EXPECT_EQ(seen.edit.rect.bottom, seen.editExpected.bottom);
  EXPECT_TRUE(seen.focusOnEdit);
  EXPECT_TRUE(seen.aliveAfterEnter) << "Enter closed the dialog with OK greyed";
  EXPECT_TRUE(seen.okAfterTyping);
  EXPECT_FALSE(seen.okAfterErasing);
  EXPECT_TRUE(seen.screenshot);

  EXPECT_EQ(host.var(VAR_2), "Таємний пароль 1");
  EXPECT_EQ(host.var(VAR_3), "keeps");
  EXPECT_TRUE(host.stack().empty());
}

TEST(PromptPassword, OkButtonHandsOverThePasswordAndLeavesNoCopyBehind) {
  REQUIRE_DISPLAY();
  PluginHost host;
  const std::string password = "Zq7-secret-Пароль";
  DialogRobot robot(kPasswordCaption, [&](HWND dialog) {
    typeText(GetDlgItem(dialog, 1001), password);
    click(dialog, 1);
  });
  host.call("PromptPassword");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(host.var(VAR_2), password);
  EXPECT_FALSE(moduleMemoryHolds(host.module(), password))
      << "the password stays in the plug-in's memory after it was handed over";
}

TEST(PromptPassword, LongPasswordIsCutTo255Characters) {
  REQUIRE_DISPLAY();
  PluginHost host;
  std::string password;
  for (int i = 0; i < 300; ++i) password.push_back(static_cast<char>('a' + i % 26));
  DialogRobot robot(kPasswordCaption, [&](HWND dialog) {
    setText(GetDlgItem(dialog, 1001), password);
    click(dialog, 1);
  });
  host.call("PromptPassword");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(host.var(VAR_2), password.substr(0, 255));
}

enum class Leave { kCancelButton, kEscape, kCloseBox, kCloseMessage };

void leave(HWND dialog, Leave how, int cancelId) {
  switch (how) {
    case Leave::kCancelButton: click(dialog, cancelId); break;
    case Leave::kEscape: pressKey(GetDlgItem(dialog, 1001), VK_ESCAPE); break;
    case Leave::kCloseBox: pressCloseBox(dialog); break;
    case Leave::kCloseMessage: PostMessageA(dialog, WM_CLOSE, 0, 0); break;
  }
}

class LeavingPasswordDialogs : public ::testing::TestWithParam<Leave> {};

TEST_P(LeavingPasswordDialogs, PasswordDialogLeavesPasswordEmpty) {
  REQUIRE_DISPLAY();
  PluginHost host;
  host.setVar(VAR_2, "stale");
  DialogRobot robot(kPasswordCaption, [&](HWND dialog) {
    typeText(GetDlgItem(dialog, 1001), "typed but not confirmed");
    leave(dialog, GetParam(), 2);
  });
  host.call("PromptPassword");
  ASSERT_TRUE(robot.finish());
  EXPECT_FALSE(robot.leftOpen());
  EXPECT_EQ(host.var(VAR_2), "");
}

TEST_P(LeavingPasswordDialogs, ChangeDialogEmptiesCurrentAndKeepsNew) {
  REQUIRE_DISPLAY();
  PluginHost host;
  host.setVar(VAR_2, "stale");
  host.setVar(VAR_3, "previous new value");
  DialogRobot robot(kChangeCaption, [&](HWND dialog) {
    typeText(GetDlgItem(dialog, 1001), "old");
    typeText(GetDlgItem(dialog, 1002), "new");
    typeText(GetDlgItem(dialog, 1003), "new");
    leave(dialog, GetParam(), 4);
  });
  host.call("PromptPasswordChange");
  ASSERT_TRUE(robot.finish());
  EXPECT_FALSE(robot.leftOpen());
  EXPECT_EQ(host.var(VAR_2), "");
  EXPECT_EQ(host.var(VAR_3), "previous new value");
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, LeavingPasswordDialogs,
                         ::testing::Values(Leave::kCancelButton, Leave::kEscape, Leave::kCloseBox,
                                           Leave::kCloseMessage));

struct ChangeDialogSeen {
  ControlSnapshot ok, cancel;
  ControlSnapshot edits[3];
  bool focusOnCurrent = false;
  bool okWithCurrentEmpty = true;
  bool okWithCaseDifference = true;
  bool aliveAfterEnter = false;
  bool okWhenValid = false;
  bool okAfterRepeatChanged = true;
  bool okWhenValidAgain = false;
  bool screenshot = false;
};

TEST(PromptPasswordChange, OkOnlyWhenAllFilledAndRepeatedExactly) {
  REQUIRE_DISPLAY();
  PluginHost host;
  host.setVar(VAR_2, "stale");
  host.setVar(VAR_3, "stale");
  ChangeDialogSeen seen;
  DialogRobot robot(kChangeCaption, [&](HWND dialog) {
    seen.ok = snapshotControl(dialog, 3);
    seen.cancel = snapshotControl(dialog, 4);
    for (int i = 0; i < 3; ++i) seen.edits[i] = snapshotControl(dialog, 1001 + i);
    HWND current = GetDlgItem(dialog, 1001);
    HWND fresh = GetDlgItem(dialog, 1002);
    HWND repeated = GetDlgItem(dialog, 1003);
    seen.focusOnCurrent = focusedControl(dialog) == current;
    auto okEnabled = [&] { return IsWindowEnabled(GetDlgItem(dialog, 3)) != FALSE; };

    typeText(fresh, "Новий");
    typeText(repeated, "Новий");
    seen.okWithCurrentEmpty = okEnabled();
    typeText(current, "1234");
    setText(repeated, "новий");
    seen.okWithCaseDifference = okEnabled();
    pressKey(repeated, VK_RETURN);
    seen.aliveAfterEnter = dialogStillAnswers(repeated);  // repeated is now "новий~"
    setText(repeated, "Новий");
    seen.okWhenValid = okEnabled();
    typeText(repeated, "!");
    seen.okAfterRepeatChanged = okEnabled();
    eraseLastCharacter(repeated);
    seen.okWhenValidAgain = okEnabled();
    seen.screenshot = saveScreenshot(dialog, "password_change_dialog");
    click(dialog, 3);
  });
  host.call("PromptPasswordChange");
  ASSERT_TRUE(robot.finish());
  EXPECT_FALSE(robot.leftOpen());

  EXPECT_EQ(seen.ok.text, "OK");
  EXPECT_FALSE(seen.ok.enabled);
  EXPECT_TRUE(seen.ok.style & BS_DEFPUSHBUTTON);
  EXPECT_EQ(seen.cancel.text, "Відмінити");
  for (const ControlSnapshot& edit : seen.edits) {
    EXPECT_EQ(edit.className, "Edit");
    EXPECT_TRUE(edit.style & ES_PASSWORD);
  }
  EXPECT_TRUE(seen.focusOnCurrent);
  EXPECT_FALSE(seen.okWithCurrentEmpty);
  EXPECT_FALSE(seen.okWithCaseDifference) << "the repetition must match case too";
  EXPECT_TRUE(seen.aliveAfterEnter) << "Enter acted while OK was greyed";
  EXPECT_TRUE(seen.okWhenValid);
  EXPECT_FALSE(seen.okAfterRepeatChanged);
  EXPECT_TRUE(seen.okWhenValidAgain);
  EXPECT_TRUE(seen.screenshot);

  EXPECT_EQ(host.var(VAR_2), "1234");
  EXPECT_EQ(host.var(VAR_3), "Новий");
  EXPECT_FALSE(moduleMemoryHolds(host.module(), "1234"));
  EXPECT_FALSE(moduleMemoryHolds(host.module(), "Новий"));
}

TEST(PromptPasswordChange, NewValueMayEqualTheCurrentOne) {
  REQUIRE_DISPLAY();
  PluginHost host;
  DialogRobot robot(kChangeCaption, [&](HWND dialog) {
    for (int id : {1001, 1002, 1003}) typeText(GetDlgItem(dialog, id), "same");
    click(dialog, 3);
  });
  host.call("PromptPasswordChange");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(host.var(VAR_2), "same");
  EXPECT_EQ(host.var(VAR_3), "same");
}

}  // namespace
