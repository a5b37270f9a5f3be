// CheckToken, ReadFolderKey, ReadTokenKey and Test against the stand-in Nolm
// library, with a robot as the user of the key and device choice dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_robot.h"
#include "dialog_template.h"
#include "nsis_plugin_api.h"
#include "plugin_host.h"
#include "screenshot.h"
#include "ui_test_support.h"

namespace {

const char kKeyChoice[] = "Вибір ключа";
const char kDeviceChoice[] = "Вибір пристою etoken";

std::string temporaryFolder(const std::string& name) {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  std::string folder = std::string(base) + "qelt_ui_" + name + "_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the robot saw in a list dialog, and what it did.
struct ListSeen {
  std::vector<std::string> entries;
  int selected = -2;
  bool focusOnList = false;
  DWORD style = 0, exStyle = 0;
  ControlSnapshot ok, cancel, list, label;
  bool aliveAfterOk = false;
  bool screenshot = false;
};

void look(HWND dialog, ListSeen* seen) {
  HWND list = GetDlgItem(dialog, 1002);
  seen->entries = listEntries(list);
  seen->selected = selectedIndex(list);
  seen->focusOnList = focusedControl(dialog) == list;
  seen->style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  seen->exStyle = static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE));
  seen->ok = snapshotControl(dialog, 1);
  seen->cancel = snapshotControl(dialog, 2);
  seen->list = snapshotControl(dialog, 1002);
  seen->label = snapshotControl(dialog, -1);
}

class KeyMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_DISPLAY();
    folder_ = temporaryFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    config_ = folder_ + "\\nolm.cfg";
    log_ = folder_ + "\\calls.log";
    SetEnvironmentVariableA("NOLM_STANDIN_LOG", log_.c_str());
    configure("");
    host_.setVar(VAR_R0, nolmStandinDirectory("lib"));
    host_.call("InitNolm");
    ASSERT_EQ(host_.var(VAR_0), "1");
  }
  void TearDown() override {
    host_.call("FreeNolm");
    SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", nullptr);
    SetEnvironmentVariableA("NOLM_STANDIN_LOG", nullptr);
    while (HMODULE m = GetModuleHandleA("nolm32.dll")) FreeLibrary(m);
    for (const char* name : {"nolmmsg.dll", "tavrikon.dll", "wembra.dll", "Plisk.dll", "nolmcc.dll"})
      while (HMODULE m = GetModuleHandleA(name)) FreeLibrary(m);
  }
  void configure(const std::string& text) {
    writeFile(config_, text);
    SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", config_.c_str());
  }
  std::string calls() const { return readFile(log_); }
  std::string keyFolder(const std::vector<std::string>& names) {
    std::string keys = folder_ + "\\keys";
    CreateDirectoryA(keys.c_str(), nullptr);
    for (const std::string& name : names) writeFile(keys + "\\" + name, "NOLM-STANDIN-KEY 1\r\n");
    return keys;
  }
  void expectKeyOutputs(const char* v0, const char* v1, const char* v2) {
    EXPECT_EQ(host_.var(VAR_0), v0);
    EXPECT_EQ(host_.var(VAR_1), v1);
    EXPECT_EQ(host_.var(VAR_2), v2);
  }
  // Selects entry text (when given), then clicks OK.
  static void choose(HWND dialog, const std::string& text) {
    HWND list = GetDlgItem(dialog, 1002);
    SendMessageA(list, LB_SETCURSEL,
                 static_cast<WPARAM>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(text.c_str()))),
                 0);
    click(dialog, 1);
  }

  PluginHost host_;
  std::string folder_, config_, log_;
};

const char kTwoReaders[] =
    "[reader ACS ACR38U 1]\nkey.AB123456 = a\n"
    "[reader ACS ACR38U 0]\nkey.CD123456 = b\n";

TEST_F(KeyMedia, DeviceChoiceDialogIsAsDesigned) {
  DialogTemplate t = readDialogTemplate(host_.module(), 105, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  ASSERT_TRUE(t.found);
  DialogTemplate k = readDialogTemplate(host_.module(), 103, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  ASSERT_TRUE(k.found);
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT |
                      DS_FIXEDSYS | DS_SYSMODAL;
  for (const DialogTemplate* d : {&t, &k}) {
    EXPECT_EQ(d->style, frame);
    EXPECT_EQ(d->exStyle, static_cast<DWORD>(WS_EX_TOPMOST));
    EXPECT_EQ(d->width, 167);
    EXPECT_EQ(d->height, 107);
    EXPECT_EQ(d->typeface, "MS Shell Dlg");
    EXPECT_EQ(d->pointSize, 8);
    EXPECT_EQ(d->weight, 400);
    EXPECT_EQ(d->charset, 1);
    ASSERT_EQ(d->items.size(), 4u);
    const TemplateItem& ok = d->items[0];
    EXPECT_EQ(ok.id, 1);
    EXPECT_EQ(ok.className, "Button");
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP));
    EXPECT_EQ(ok.x, 56);
    EXPECT_EQ(ok.y, 86);
    const TemplateItem& cancel = d->items[1];
    EXPECT_EQ(cancel.id, 2);
    EXPECT_EQ(cancel.text, "Cancel");
    EXPECT_EQ(cancel.x, 110);
    const TemplateItem& list = d->items[2];
    EXPECT_EQ(list.id, 1002);
    EXPECT_EQ(list.className, "ListBox");
    EXPECT_EQ(list.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                                             LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT));
    EXPECT_EQ(list.x, 7);
    EXPECT_EQ(list.y, 21);
    EXPECT_EQ(list.width, 153);
    EXPECT_EQ(list.height, 59);
    EXPECT_EQ(d->items[3].id, -1);
    EXPECT_EQ(d->items[3].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP));
  }
  EXPECT_EQ(t.caption, kDeviceChoice);
  EXPECT_EQ(t.items[3].text, "Виберіть один з доступних пристроїв");
  EXPECT_EQ(t.items[3].width, 127);
  EXPECT_EQ(k.caption, kKeyChoice);
  EXPECT_EQ(k.items[3].text, "Виберіть один з доступних ключів");
  EXPECT_EQ(k.items[3].width, 118);
}

TEST_F(KeyMedia, CheckTokenWithoutReaderGivesZero) {
  configure("");
  host_.setVar(VAR_1, "keeps");
  host_.call("CheckToken");
  EXPECT_EQ(host_.var(VAR_0), "0");
  EXPECT_EQ(host_.var(VAR_1), "keeps");
}

TEST_F(KeyMedia, CheckTokenTakesTheOnlyReaderWithoutAsking) {
  configure("[reader Єдиний зчитувач]\nkey.AB123456 = a\n");
  DialogWatch watch;
  host_.call("CheckToken");
  EXPECT_FALSE(watch.created(kDeviceChoice));
  EXPECT_EQ(host_.var(VAR_0), "1");
  EXPECT_EQ(host_.var(VAR_1), "Єдиний зчитувач");
  // The card operations now use it.
  host_.push("C:\\anywhere");
  host_.call("ReadTokenKey");
  EXPECT_NE(calls().find("NCCgetFileList(\"Єдиний зчитувач\", buffer) -> 0"), std::string::npos);
}

TEST_F(KeyMedia, CheckTokenWithTwoReadersLetsTheUserChoose) {
  configure(kTwoReaders);
  ListSeen seen;
  DialogRobot robot(kDeviceChoice, [&](HWND dialog) {
    look(dialog, &seen);
    seen.screenshot = saveScreenshot(dialog, "device_choice_dialog");
    choose(dialog, "ACS ACR38U 1");
  });
  host_.call("CheckToken");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(seen.entries, (std::vector<std::string>{"ACS ACR38U 0", "ACS ACR38U 1"}));
  EXPECT_EQ(seen.selected, 0);
  EXPECT_TRUE(seen.focusOnList);
  EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(seen.ok.text, "OK");
  EXPECT_TRUE(seen.ok.enabled);
  EXPECT_EQ(seen.cancel.text, "Cancel");
  EXPECT_EQ(seen.list.className, "ListBox");
  EXPECT_TRUE(seen.screenshot);
  EXPECT_EQ(host_.var(VAR_0), "1");
  EXPECT_EQ(host_.var(VAR_1), "ACS ACR38U 1");
  host_.push("C:\\anywhere");
  host_.call("ReadTokenKey");
  EXPECT_NE(calls().find("NCCgetFileList(\"ACS ACR38U 1\", buffer)"), std::string::npos);
}

TEST_F(KeyMedia, CheckTokenCancelGivesZeroAndTheCloseBoxNothing) {
  configure(kTwoReaders);
  host_.setVar(VAR_0, "stale");
  host_.setVar(VAR_1, "keeps");
  {
    DialogRobot robot(kDeviceChoice, [](HWND dialog) { click(dialog, 2); });
    host_.call("CheckToken");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(host_.var(VAR_0), "0");
  EXPECT_EQ(host_.var(VAR_1), "keeps");
  host_.setVar(VAR_0, "stale");
  {
    DialogRobot robot(kDeviceChoice, [](HWND dialog) { pressCloseBox(dialog); });
    host_.call("CheckToken");
    ASSERT_TRUE(robot.finish());
    EXPECT_FALSE(robot.leftOpen());
  }
  EXPECT_EQ(host_.var(VAR_0), "stale") << "the close box writes nothing";
  EXPECT_EQ(host_.var(VAR_1), "keeps");
}

TEST_F(KeyMedia, FolderWithOneKeyIsTakenWithoutAsking) {
  std::string keys = keyFolder({"A1234567.KEY"});
  DialogWatch watch;
  host_.push(keys);
  host_.call("ReadFolderKey");
  EXPECT_FALSE(watch.shown(kKeyChoice));
  expectKeyOutputs("A1", "2345", "A1234567");
}

TEST_F(KeyMedia, ShortKeyNameKeepsItsExtension) {
  host_.push(keyFolder({"AB.KEY"}));
  host_.call("ReadFolderKey");
  expectKeyOutputs("AB", ".KEY", "AB.KEY");
}

TEST_F(KeyMedia, FolderListOffersOnlyKeyFilesSorted) {
  std::string keys = keyFolder({"ZZ000001.KEY", "x.key", "noext", "KEY", ".hidden.KEY",
                                "AA000001.KEY", "AA0000019.KEY"});
  ListSeen seen;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    look(dialog, &seen);
    seen.screenshot = saveScreenshot(dialog, "key_choice_dialog");
    choose(dialog, "ZZ000001");
  });
  host_.push(keys + "\\");
  host_.call("ReadFolderKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(seen.entries,
            (std::vector<std::string>{"AA000001", "AA000001", "KEY", "ZZ000001"}));
  EXPECT_EQ(seen.selected, 0);
  EXPECT_TRUE(seen.focusOnList);
  EXPECT_EQ(seen.label.text, "Виберіть один з доступних ключів");
  EXPECT_TRUE(seen.screenshot);
  expectKeyOutputs("ZZ", "0000", "ZZ000001");
}

TEST_F(KeyMedia, FolderWithoutKeysOrUnreadableGivesMinusOne) {
  for (std::string marker : {keyFolder({"readme.txt"}), folder_ + "\\missing", std::string("plc:"),
                             std::string(1023, 'd')}) {
    SCOPED_TRACE(marker.substr(0, 40));
    DialogWatch watch;
    host_.setVar(VAR_0, "stale");
    host_.push(marker);
    host_.call("ReadFolderKey");
    EXPECT_FALSE(watch.shown(kKeyChoice));
    EXPECT_EQ(host_.var(VAR_0), "-1");
  }
}

TEST_F(KeyMedia, FolderListCancelAndCloseBoxLeaveNothing) {
  std::string keys = keyFolder({"AA000001.KEY", "BB000001.KEY"});
  for (bool closeBox : {false, true}) {
    host_.setVar(VAR_0, "stale");
    host_.setVar(VAR_1, "keeps");
    DialogRobot robot(kKeyChoice, [&](HWND dialog) {
      if (closeBox)
        pressCloseBox(dialog);
      else
        pressKey(GetDlgItem(dialog, 1002), VK_ESCAPE);
    });
    host_.push(keys);
    host_.call("ReadFolderKey");
    ASSERT_TRUE(robot.finish());
    EXPECT_FALSE(robot.leftOpen());
    EXPECT_EQ(host_.var(VAR_0), "");
    EXPECT_EQ(host_.var(VAR_1), "keeps");
  }
}

TEST_F(KeyMedia, PlasticCardKeysAreListedAndChosen) {
  configure("[plastic card]\nkey = PK000002\nkey = PK000001\nkey = PK0000031234\n");
  ListSeen seen;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    look(dialog, &seen);
    choose(dialog, "PK000003");
  });
  host_.push("PLC:");
  host_.call("ReadFolderKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(seen.entries, (std::vector<std::string>{"PK000001", "PK000002", "PK000003"}));
  expectKeyOutputs("PK", "0000", "PK000003");
  std::string log = calls();
  EXPECT_NE(log.find("card.open(null, 0) -> 0"), std::string::npos) << log;
  EXPECT_NE(log.find("card.list(buffer, &100) -> 0"), std::string::npos) << log;
  EXPECT_NE(log.find("card.close() -> 0"), std::string::npos) << log;
}

TEST_F(KeyMedia, PlasticCardWithOneKeyOrNoneAsksNothing) {
  configure("[plastic card]\nkey = PK000009\n");
  DialogWatch watch;
  host_.push("PLC:");
  host_.call("ReadTokenKey");
  expectKeyOutputs("PK", "0000", "PK000009");
  configure("[plastic card]\npin = 1\n");
  host_.push("PLC:");
  host_.call("ReadFolderKey");
  EXPECT_EQ(host_.var(VAR_0), "-1");
  EXPECT_FALSE(watch.shown(kKeyChoice));
}

TEST_F(KeyMedia, PlasticCardFailureIsShownAndOkInTheEmptyListDoesNothing) {
  configure("[plastic card]\ncard = no\n");
  host_.setVar(VAR_1, "keeps");
  bool stillOpenAfterOk = false;
  ListSeen seen;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    look(dialog, &seen);
    click(dialog, 1);
    stillOpenAfterOk = IsWindow(dialog) && IsWindowVisible(dialog);
    seen.screenshot = saveScreenshot(dialog, "key_choice_dialog_empty");
    click(dialog, 2);
  });
  host_.push("PLC:");
  host_.call("ReadFolderKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_FALSE(robot.leftOpen());
  EXPECT_TRUE(seen.entries.empty());
  EXPECT_TRUE(stillOpenAfterOk) << "OK with no entry must not close the dialog";
  EXPECT_EQ(host_.var(VAR_0), "");
  EXPECT_EQ(host_.var(VAR_1), "keeps");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  const RecordedMessageBox& box = PluginHost::messageBoxes()[0];
  EXPECT_EQ(box.caption, "Помилка роботи з Plastic Card");
  EXPECT_EQ(box.text, "Не знайдено підключеного пристою. (код 224)");
  EXPECT_FALSE(box.hasOwner);
  EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(calls().find("card.close"), std::string::npos) << "a card that did not open is not closed";
}

TEST_F(KeyMedia, PlasticCardCountBeyondItsRecordsIsNotReadPastThem) {
  configure("[plastic card]\nkey = PK000001\nkey = PK000002\ncount = 250\n");
  ListSeen seen;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    look(dialog, &seen);
    click(dialog, 2);
  });
  host_.push("PLC:");
  host_.call("ReadFolderKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(seen.entries.size(), 100u);
}

const char kCardReader[] =
    "[reader Reader]\nkey.CC000003 = a\nkey.CC000001 = b\nkey.CC0000021 = c\n";

TEST_F(KeyMedia, CardKeysAreChosenAndShownAgainByTest) {
  configure(kCardReader);
  host_.setVar(VAR_3, "keeps");
  ListSeen seen;
  {
    DialogRobot robot(kKeyChoice, [&](HWND dialog) {
      look(dialog, &seen);
      choose(dialog, "CC000002");
    });
    host_.push("Reader");
    host_.call("ReadTokenKey");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(seen.entries, (std::vector<std::string>{"CC000001", "CC000002", "CC000003"}));
  expectKeyOutputs("CC", "0000", "CC000002");
  EXPECT_EQ(host_.var(VAR_3), "keeps") << "$3 is written only without a dialog";

  // Test shows the same table again, without asking the card.
  size_t listings = calls().size();
  ListSeen again;
  {
    DialogRobot robot(kKeyChoice, [&](HWND dialog) {
      look(dialog, &again);
      choose(dialog, "CC000003");
    });
    host_.call("Test");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(again.entries, seen.entries);
  EXPECT_EQ(calls().size(), listings) << "Test called the library";
  expectKeyOutputs("CC", "0000", "CC000003");

  host_.setVar(VAR_0, "keeps0");
  {
    DialogRobot robot(kKeyChoice, [](HWND dialog) { pressCloseBox(dialog); });
    host_.call("Test");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(host_.var(VAR_0), "keeps0");
}

TEST_F(KeyMedia, CardWithOneKeyAsksNothingAndCountsIt) {
  configure("[reader Reader]\nkey.CC000007 = a\n");
  DialogWatch watch;
  host_.push("Reader");
  host_.call("ReadTokenKey");
  EXPECT_FALSE(watch.shown(kKeyChoice));
  expectKeyOutputs("CC", "0000", "CC000007");
  EXPECT_EQ(host_.var(VAR_3), "1");
}

TEST_F(KeyMedia, CardCountOfZeroOrLessMeansNoKey) {
  for (const char* count : {"0", "-5"}) {
    SCOPED_TRACE(count);
    configure(std::string("[reader Reader]\nkey.CC000007 = a\ncount = ") + count + "\n");
    host_.setVar(VAR_1, "stale");
    host_.setVar(VAR_2, "stale");
    host_.push("Reader");
    host_.call("ReadTokenKey");
    expectKeyOutputs("", "", "");
    EXPECT_EQ(host_.var(VAR_3), "0");
  }
}

TEST_F(KeyMedia, CardCountAbove31ShowsNoMoreThanTheTableHolds) {
  configure("[reader Reader]\nkey.CC000001 = a\nkey.CC000002 = b\ncount = 4000\n");
  ListSeen seen;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    look(dialog, &seen);
    click(dialog, 2);
  });
  host_.push("Reader");
  host_.call("ReadTokenKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(seen.entries.size(), 31u);
  EXPECT_EQ(host_.var(VAR_0), "");
}

TEST_F(KeyMedia, CardListFailureGivesTheCodeWithoutAMessage) {
  configure("[reader Reader]\ncard = no\n");
  host_.setVar(VAR_0, "stale");
  host_.push("Reader");
  host_.call("ReadTokenKey");
  EXPECT_EQ(host_.var(VAR_0), "");
  EXPECT_EQ(host_.var(VAR_1), "106");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  EXPECT_NE(calls().find("NolmGetMsgAux(106, buffer, 1024)"), std::string::npos);
}

TEST_F(KeyMedia, OkInAnEmptyCardListDoesNothing) {
  configure("[reader Reader]\nkey.CC000001 = a\nkey.CC000002 = b\n");
  host_.push("Reader");
  {
    DialogRobot robot(kKeyChoice, [](HWND dialog) { click(dialog, 1); });  // takes CC000001
    host_.call("ReadTokenKey");
    ASSERT_TRUE(robot.finish());
  }
  expectKeyOutputs("CC", "0000", "CC000001");
  configure("[reader Reader]\ncount = 5\n");  // five keys said, none listed
  host_.setVar(VAR_1, "keeps");
  bool stillOpen = false;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, 1002);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    click(dialog, 1);
    stillOpen = IsWindowVisible(dialog) != FALSE;
    click(dialog, 2);
  });
  host_.push("Reader");
  host_.call("ReadTokenKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(host_.var(VAR_0), "");
  EXPECT_EQ(host_.var(VAR_1), "keeps");
}

}  // namespace
