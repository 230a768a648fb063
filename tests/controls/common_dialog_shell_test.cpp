// The wrapper's shell dialogs that open windows of the layer: the Run window, the icon picker, the
// properties of a file, folder or printer, the display settings, and the questions before shutting
// down or restarting (answered No here: the answers Yes go to a mock login manager in
// shut_down_bus_test.cpp). Scripted first, then the real windows as a user works them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "controls/common_dialog.h"
#include "platform/gdi/icons.h"
#include "platform/shell/file_facts.h"
#include "platform/shell/icon_files.h"
#include "platform/script/script.h"
#include "platform/testing/dialogs.h"
#include "platform/shell/run_history.h"
#include "platform/testing/shell.h"
#include "platform/testing/win.h"
#include "platform/vb/form.h"
#include "platform/win/placement.h"
#include "platform/vb/strings.h"
#include "support.h"
#include "support_gdi.h"
#include "support_script.h"

namespace {

using platform::script::Kind;
using Words = std::vector<std::u16string>;

// Where the tests leave their pictures of the windows.
std::u16string PicturePath(const char* name) {
  const std::filesystem::path folder = std::filesystem::path(QM_BINARY_DIR) / "shell_dialogs";
  std::filesystem::create_directories(folder);
  return vb::FromUtf8((folder / name).string());
}

class ShellDialogs : public qmtest::ScriptedDialogs {
 protected:
  void SetUp() override {
    ScriptedDialogs::SetUp();
    platform::testing::SetProgramStarter([this](const std::u16string& program, const Words& args, const std::u16string& dir) {
      Words w{program};
      w.insert(w.end(), args.begin(), args.end());
      started.push_back(w);
      startedIn.push_back(dir);
      return installed(program) ? 1000 + static_cast<std::int64_t>(started.size()) : 0;
    });
  }
  void TearDown() override {
    platform::testing::ForgetDialogActions();
    platform::testing::SetProgramStarter(nullptr);
    platform::script::SetActive(true);
    ScriptedDialogs::TearDown();
  }

  qmtest::FreshSettings settings;  // the Run window's list of commands starts empty
  clsCommonDialog cd;
  std::function<bool(const std::u16string&)> installed = [](const std::u16string& p) { return p != u"no-such-program"; };
  std::vector<Words> started;
  std::vector<std::u16string> startedIn;
};

}  // namespace

TEST_F(ShellDialogs, RunStartsTheCommandTypedAsProgramAndArgumentsAndOffersItNextTime) {
  cd.DialogTitle = u"Запуск";
  cd.DialogPrompt = u"Введите команду";
  cd.flags = 0x30;
  Answer(Kind::Run, 1, u"gedit \"/tmp/мой файл.txt\" --new-window");
  cd.ShowRun();
  EXPECT_EQ(Shown().title, u"Запуск");
  EXPECT_EQ(Shown().prompt, u"Введите команду");
  EXPECT_EQ(Shown().flags, 3);  // bits 4 to 7 of flags
  EXPECT_EQ(Shown().text, u"");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], (Words{u"gedit", u"/tmp/мой файл.txt", u"--new-window"}));
  EXPECT_EQ(startedIn[0], u"");

  // The next time the box holds that command, unless the flags say it starts empty (&H20).
  cd.flags = 0;
  Answer(Kind::Run, 0);
  cd.ShowRun();
  EXPECT_EQ(Shown().text, u"gedit \"/tmp/мой файл.txt\" --new-window");
  cd.flags = 0x20;
  Answer(Kind::Run, 0);
  cd.ShowRun();
  EXPECT_EQ(Shown().text, u"");
  EXPECT_EQ(started.size(), 1u);  // Cancel starts nothing
}

TEST_F(ShellDialogs, RunTellsOfACommandThatDidNotStartAndLetsTheUserMendIt) {
  Answer(Kind::Run, 1, u"no-such-program --x");
  Answer(Kind::MessageBox, 1);
  Answer(Kind::Run, 1, u"/usr/bin/xterm -e top");
  cd.flags = 0x40;  // Run flag 4: the program starts in its own folder
  cd.ShowRun();
  const auto& log = platform::script::Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1].kind, Kind::MessageBox);
  EXPECT_NE(log[1].prompt.find(u"«no-such-program»"), std::u16string::npos);
  EXPECT_EQ(log[1].title, u"Запуск программы");
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(startedIn[1], u"/usr/bin");
  // Only the command that started is offered again.
  Answer(Kind::Run, 0);
  cd.ShowRun();
  EXPECT_EQ(Shown().text, u"/usr/bin/xterm -e top");
}

TEST_F(ShellDialogs, TheRealRunWindowShowsWhatTheFlagsLeaveAndStartsWhatIsTyped) {
  platform::shell::RememberRun(u"xclock");
  platform::script::SetActive(false);
  cd.DialogTitle = u"Выполнить";
  cd.DialogPrompt = u"Введите имя программы, и она будет запущена.";
  std::u16string title, firstText;
  Words texts, buttons;
  platform::testing::InNextDialog([&] {
    title = platform::testing::DialogTitle();
    texts = platform::testing::DialogTexts();
    buttons = platform::testing::DialogButtons();
    firstText = platform::testing::DialogEditText();
    EXPECT_TRUE(platform::testing::SaveDialogPicture(PicturePath("run.png")));
    platform::testing::DialogSetEditText(u"xterm -title \"два слова\"");
    EXPECT_TRUE(platform::testing::DialogPress(u"ОК"));
  });
  cd.ShowRun();
  EXPECT_EQ(title, u"Выполнить");
  EXPECT_EQ(texts, (Words{u"Введите имя программы, и она будет запущена.", u"Открыть:"}));
  EXPECT_EQ(buttons, (Words{u"ОК", u"Отмена", u"Обзор..."}));
  EXPECT_EQ(firstText, u"xclock");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], (Words{u"xterm", u"-title", u"два слова"}));

  // Run flags 1, 2 and 8: no browse button, an empty box (OK waits for a command), no label.
  cd.flags = 0xB0;
  bool okWithEmptyBox = true;
  platform::testing::InNextDialog([&] {
    texts = platform::testing::DialogTexts();
    buttons = platform::testing::DialogButtons();
    firstText = platform::testing::DialogEditText();
    okWithEmptyBox = platform::testing::DialogPress(u"ОК");
    platform::testing::DialogPress(u"Отмена");
  });
  cd.ShowRun();
  EXPECT_EQ(texts, (Words{u"Введите имя программы, и она будет запущена."}));
  EXPECT_EQ(buttons, (Words{u"ОК", u"Отмена"}));
  EXPECT_EQ(firstText, u"");
  EXPECT_FALSE(okWithEmptyBox);
  EXPECT_EQ(started.size(), 1u);
}

namespace {

// An .ico file of opaque pictures, one colour (0xRRGGBB) per size.
void WriteIcon(const std::filesystem::path& file, const std::vector<std::pair<int, unsigned>>& sizes) {
  std::vector<qmtest::IconPicture> pictures;
  for (const auto& [size, rgb] : sizes) {
    const auto n = static_cast<std::size_t>(size * size);
    pictures.push_back({size, 32, std::vector<unsigned>(n, 0xFF000000u | rgb), std::vector<int>(n, 0), {}});
  }
  qmtest::WriteBytes(file, qmtest::IconFile(pictures));
}

// The icon's size (16 or 32) and colour, drawn on white in its own size.
std::pair<int, win::COLORREF> SizeAndColour(win::HICON icon) {
  qmtest::Surface s(40, 40);
  win::DrawIconEx(s.dc, 0, 0, icon, 0, 0, 0, 0, win::DI_NORMAL);
  const int size = s.at(31, 31) != win::RGB(255, 255, 255) ? 32 : s.at(15, 15) != win::RGB(255, 255, 255) ? 16 : 0;
  return {size, s.at(0, 0)};
}

// The name as the wrapper keeps it after the picker: the path, then NULs up to 260 characters.
std::u16string Padded(const std::filesystem::path& p) {
  std::u16string s = vb::FromUtf8(p.string());
  s.resize(260, u'\0');
  return s;
}

class IconPicker : public ShellDialogs {
 protected:
  IconPicker() {
    WriteIcon(dir.path() / "b.ico", {{16, 0xFF0000}, {32, 0xFF0000}});
    WriteIcon(dir.path() / "A.ico", {{32, 0x00FF00}});
    WriteIcon(dir.path() / "c.ICO", {{16, 0x0000FF}, {32, 0x000080}});
    qmtest::WriteBytes(dir.path() / "readme.txt", std::string("not an icon"));
    std::filesystem::create_directory(dir.path() / "d.ico");  // a folder, whatever its name
  }
  void TearDown() override {
    win::DestroyIcon(cd.hIcon);
    ShellDialogs::TearDown();
  }
  qmtest::TempDir dir;
};

}  // namespace

TEST_F(IconPicker, AFolderOffersItsIconFilesByNameAndTheChosenOneComesInTheSizeAsked) {
  const std::u16string folder = vb::FromUtf8(dir.path().string());
  EXPECT_EQ(win::ExtractIconExA(folder, -1, nullptr, nullptr, 0), 3u);
  cd.Filename = folder;
  Answer(Kind::PickIcon, 1, u"1");
  cd.ShowIcon(true);
  EXPECT_EQ(Shown().text, folder);
  EXPECT_EQ(Shown().flags, 0);  // the picker starts at the first icon
  EXPECT_EQ(cd.Filename, Padded(dir.path()));
  EXPECT_EQ(SizeAndColour(cd.hIcon), std::make_pair(32, win::RGB(255, 0, 0)));  // b.ico, after A.ico

  // The small size: the file's own 16-pixel picture; a file with only a large one scaled down.
  const win::HICON before = cd.hIcon;
  Answer(Kind::PickIcon, 1, u"2");
  cd.ShowIcon(false);
  EXPECT_EQ(Shown().text, folder);  // the padding is not part of the path
  EXPECT_EQ(SizeAndColour(cd.hIcon), std::make_pair(16, win::RGB(0, 0, 255)));
  win::DestroyIcon(before);
  const win::HICON blue = cd.hIcon;
  cd.Filename = vb::FromUtf8((dir.path() / "A.ico").string());
  Answer(Kind::PickIcon, 1, u"0");
  cd.ShowIcon(false);
  EXPECT_EQ(SizeAndColour(cd.hIcon), std::make_pair(16, win::RGB(0, 255, 0)));
  win::DestroyIcon(blue);
}

TEST_F(IconPicker, CancelOrAnIconThatIsNotThereKeepsTheIconAndTooLongANameIsRefused) {
  cd.hIcon = 0;
  cd.Filename = vb::FromUtf8((dir.path() / "c.ICO").string());
  Answer(Kind::PickIcon, 0);
  cd.ShowIcon(true);
  EXPECT_EQ(cd.hIcon, 0);
  EXPECT_EQ(cd.Filename, Padded(dir.path() / "c.ICO"));  // padded all the same
  Answer(Kind::PickIcon, 1, u"1");  // an icon file holds one icon
  cd.ShowIcon(true);
  EXPECT_EQ(cd.hIcon, 0);
  cd.Filename = vb::FromUtf8((dir.path() / "readme.txt").string());
  EXPECT_EQ(win::ExtractIconExA(cd.Filename, -1, nullptr, nullptr, 0), 0u);

  const std::size_t shown = platform::script::Log().size();
  cd.Filename.clear();
  cd.ShowIcon(true);  // nothing to pick from: nothing shows
  cd.Filename = std::u16string(261, u'i');
  EXPECT_EQ(qmtest::ErrorNumberOf([&] { cd.ShowIcon(false); }), 5);
  EXPECT_EQ(platform::script::Log().size(), shown);
  cd.Filename = std::u16string(260, u'i');  // fits exactly, without a NUL
  Answer(Kind::PickIcon, 0);
  cd.ShowIcon(false);
  EXPECT_EQ(Shown().text, std::u16string(260, u'i'));
}

TEST_F(IconPicker, TheRealPickerListsTheIconsOfThePathTypedAndChoosesOne) {
  platform::script::SetActive(false);
  cd.Filename = vb::FromUtf8((dir.path() / "A.ico").string());
  int firstCount = 0, folderCount = 0, chosenAtFirst = -1;
  Words buttons;
  platform::testing::InNextDialog([&] {
    firstCount = platform::testing::DialogListCount();
    chosenAtFirst = platform::testing::DialogListCurrent();
    buttons = platform::testing::DialogButtons();
    // Another path typed and Enter (OK) pressed: its icons come up, nothing is chosen yet.
    platform::testing::DialogSetEditText(vb::FromUtf8(dir.path().string()));
    EXPECT_TRUE(platform::testing::DialogPress(u"ОК"));
    folderCount = platform::testing::DialogListCount();
    platform::testing::DialogListSelect(2);
    EXPECT_TRUE(platform::testing::SaveDialogPicture(PicturePath("pick_icon.png")));
    EXPECT_TRUE(platform::testing::DialogPress(u"ОК"));
  });
  cd.ShowIcon(true);
  EXPECT_EQ(firstCount, 1);
  EXPECT_EQ(chosenAtFirst, 0);
  EXPECT_EQ(buttons, (Words{u"Обзор...", u"ОК", u"Отмена"}));
  EXPECT_EQ(folderCount, 3);
  EXPECT_EQ(cd.Filename, Padded(dir.path()));
  EXPECT_EQ(SizeAndColour(cd.hIcon), std::make_pair(32, win::RGB(0, 0, 128)));
}

namespace {

// 1 December 2006, 23:05:09 UTC.
constexpr std::time_t kDecember2006 = 1165014309;

class ObjectProperties : public ShellDialogs {
 protected:
  ObjectProperties() {
    file = dir.path() / "Письмо.txt";
    qmtest::WriteBytes(file, std::string(1536, 'a'));
    const timespec times[2] = {{kDecember2006, 0}, {kDecember2006, 0}};
    utimensat(AT_FDCWD, file.c_str(), times, 0);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    qmtest::WriteBytes(dir.path() / ".скрытый", std::string("x"));
    std::filesystem::create_directory(dir.path() / "Папка");
  }
  ~ObjectProperties() override { std::filesystem::permissions(file, std::filesystem::perms::owner_all); }
  std::u16string Path(const std::filesystem::path& p) { return vb::FromUtf8(p.string()); }

  qmtest::TempDir dir;
  std::filesystem::path file;
};

}  // namespace

TEST_F(ObjectProperties, AFilesWindowShowsItsTypePlaceSizeTimesInUtcAndAttributes) {
  cd.flags = 0x200;
  Answer(Kind::Properties, 1);
  cd.ShowObjectProp(Path(file), u"Общие");
  EXPECT_EQ(Shown().title, u"Свойства: Письмо.txt");
  EXPECT_EQ(Shown().text, Path(file));
  const std::u16string& rows = Shown().prompt;
  EXPECT_NE(rows.find(u"Размещение: " + Path(dir.path()) + u"\n"), std::u16string::npos) << qmtest::U8(rows);
  EXPECT_NE(rows.find(u"Размер: 1,50 КБ (1 536 байт)\n"), std::u16string::npos);
  EXPECT_NE(rows.find(u"Изменен: 01.12.2006 г., 23:5:9\n"), std::u16string::npos);
  EXPECT_NE(rows.find(u"Открыт: 01.12.2006 г.\n"), std::u16string::npos);
  EXPECT_NE(rows.find(u"Тип: Текстовый документ\n"), std::u16string::npos);  // the desktop's own name for it
  EXPECT_EQ(Shown().flags, static_cast<int>(win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_ARCHIVE));

  // A folder tells what it holds; "\" counts as a separator.
  Answer(Kind::Properties, 1);
  std::u16string folder = Path(dir.path());
  std::replace(folder.begin(), folder.end(), u'/', u'\\');
  cd.ShowObjectProp(folder, u"");
  EXPECT_EQ(Shown().text, Path(dir.path()));
  EXPECT_NE(Shown().prompt.find(u"Содержит: Файлов: 2, папок: 1\n"), std::u16string::npos) << qmtest::U8(Shown().prompt);
  EXPECT_EQ(Shown().flags & win::FILE_ATTRIBUTE_DIRECTORY, static_cast<int>(win::FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ObjectProperties, WhatCannotBeFoundShowsNothing) {
  const std::size_t shown = platform::script::Log().size();
  cd.flags = 0x200;
  cd.ShowObjectProp(Path(dir.path() / "нет такого.txt"), u"");
  cd.ShowObjectProp(u"", u"");
  cd.flags = 0x700;  // the recycle folder: none here
  cd.ShowObjectProp(Path(file), u"");
  cd.flags = 0x300;  // a kind without an object
  cd.ShowObjectProp(Path(file), u"");
  cd.flags = 0x100;
  cd.ShowObjectProp(u"Нет такого принтера", u"");
  EXPECT_EQ(platform::script::Log().size(), shown);
  EXPECT_TRUE(started.empty());
}

TEST_F(ObjectProperties, APrintersPropertiesAreThePrintDialogOnThatPrinter) {
  cd.flags = 0x100;
  Answer(Kind::Printer, 1, u"PDF");
  cd.ShowObjectProp(u"pdf", u"");
  EXPECT_EQ(Shown().kind, Kind::Printer);
  EXPECT_EQ(Shown().prompt, u"PDF");
}

TEST_F(ObjectProperties, DisplaySettingsStartTheRunningDesktopsProgramOrAnyDesktopsOne) {
  cd.flags = 0x800;
  auto desktop = std::make_unique<qmtest::EnvironmentValue>("XDG_CURRENT_DESKTOP", "XFCE");
  installed = [](const std::u16string& p) { return p == u"arandr" || p == u"gnome-control-center"; };
  cd.ShowObjectProp(u"", u"");
  EXPECT_EQ(started, (std::vector<Words>{{u"xfce4-display-settings"}, {u"lxrandr"}, {u"arandr"}}));
  started.clear();
  desktop.reset();  // the value before comes back first
  desktop = std::make_unique<qmtest::EnvironmentValue>("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
  cd.ShowObjectProp(u"", u"");
  EXPECT_EQ(started, (std::vector<Words>{{u"gnome-control-center", u"display"}}));
  started.clear();
  installed = [](const std::u16string&) { return false; };
  cd.ShowObjectProp(u"ignored", u"");  // none installed: nothing happens, nothing is reported
  EXPECT_EQ(started.size(), 3u);
  EXPECT_TRUE(platform::script::Log().empty());
}

TEST_F(ObjectProperties, TheRealWindowShowsTheFactsAndAttributeBoxes) {
  platform::script::SetActive(false);
  cd.flags = 0x200;
  std::u16string title;
  Words texts, buttons;
  std::vector<std::pair<std::u16string, bool>> checks;
  platform::testing::InNextDialog([&] {
    title = platform::testing::DialogTitle();
    texts = platform::testing::DialogTexts();
    buttons = platform::testing::DialogButtons();
    checks = platform::testing::DialogChecks();
    EXPECT_TRUE(platform::testing::SaveDialogPicture(PicturePath("properties.png")));
    EXPECT_TRUE(platform::testing::DialogPress(u"Закрыть"));
  });
  cd.ShowObjectProp(Path(file), u"");
  EXPECT_EQ(title, u"Свойства: Письмо.txt");
  ASSERT_GE(texts.size(), 13u);
  EXPECT_EQ(texts[0], u"Письмо.txt");
  EXPECT_EQ(texts[1], u"Тип:");
  EXPECT_EQ(texts[5], u"Размер:");
  EXPECT_EQ(texts[6], u"1,50 КБ (1 536 байт)");
  EXPECT_EQ(texts[9], u"Изменен:");
  EXPECT_EQ(texts[10], u"01.12.2006 г., 23:5:9");
  EXPECT_EQ(buttons, (Words{u"Закрыть"}));
  EXPECT_EQ(checks, (std::vector<std::pair<std::u16string, bool>>{
                        {u"Скрытый", false}, {u"Системный", false}, {u"Только чтение", true}, {u"Архивный", true}}));
}

TEST_F(ShellDialogs, ShutDownToldWhenTheLoginManagerCannotBeReached) {
  // A bus that is not there: the request fails without any bus being asked.
  qmtest::TempDir dir;
  const qmtest::EnvironmentValue bus("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (dir.path() / "no-bus").string());
  Answer(Kind::MessageBox, 6);
  Answer(Kind::MessageBox, 1);
  cd.ShowShutDown();
  cd.flags = 2;
  Answer(Kind::MessageBox, 7);  // No asks nothing and tells nothing
  cd.ShowRestart();
  const auto& log = platform::script::Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1].title, u"Завершение работы");
  EXPECT_EQ(log[1].prompt, u"Не удалось выключить компьютер: служба входа в систему отказала в этом или недоступна.");
  EXPECT_EQ(log[2].prompt, u"Перезагрузить компьютер сейчас?");
}

namespace {

class frmOwner : public vb::Form {
 protected:
  void Design() override { Move(900, 1200, 9000, 6000); }
};

}  // namespace

TEST_F(ShellDialogs, TheWindowsOpenCentredOverTheirOwner) {
  platform::script::SetActive(false);
  frmOwner owner;
  owner.Show();
  platform::testing::ShowAndWait(owner.hWnd());
  win::RECT frame;
  win::GetWindowRect(owner.hWnd(), &frame);
  cd.hOwner = owner.hWnd();
  qmtest::TempDir dir;
  qmtest::WriteBytes(dir.path() / "a.txt", std::string("a"));
  for (int flags : {0x000, 0x200}) {
    win::RECT shown{};
    platform::testing::InNextDialog([&] {
      shown = platform::testing::DialogRect();
      platform::testing::DialogPress(flags == 0 ? u"Отмена" : u"Закрыть");
    });
    cd.flags = flags;
    if (flags == 0) {
      cd.ShowRun();
    } else {
      cd.ShowObjectProp(vb::FromUtf8((dir.path() / "a.txt").string()), u"");
    }
    EXPECT_NEAR((shown.left + shown.right) / 2, (frame.left + frame.right) / 2, 2) << flags;
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (frame.top + frame.bottom) / 2, 2) << flags;
  }
  owner.Unload();
}
