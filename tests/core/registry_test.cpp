#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/registry/store.h"
#include "platform/script/script.h"
#include "platform/vb/msgbox.h"
#include "support.h"

using namespace modRegistry;
using win::HKEY_CURRENT_USER;
namespace prefs = settings::preferences;

namespace {

std::string FileText() { return qmtest::ReadBytes(platform::registry::FilePath()); }

class SettingsStore : public ::testing::Test {
 protected:
  qmtest::FreshSettings settings;
};

}  // namespace

TEST_F(SettingsStore, AnEmptyStoreReadsEmptyAndZero) {
  const auto topMost = ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kTopMost);
  EXPECT_FALSE(topMost.has_value());
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kSplash), 0);
  // A flag tested against "1" is off, one tested against "0" is on.
  EXPECT_NE(topMost.value_or(u""), u"1");
  EXPECT_NE(ReadRegistryString(HKEY_CURRENT_USER, settings::kToolBarsKey, settings::toolbars::kShowToolTips)
                .value_or(u""),
            u"0");
  EXPECT_FALSE(std::ifstream(platform::registry::FilePath()).good());  // reading wrote nothing
}

TEST_F(SettingsStore, TextsReadBackAndTheEmptyTextIsNotAMissingValue) {
  WriteRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kBackupFolder, u"");
  WriteRegistryString(HKEY_CURRENT_USER, settings::kLockedKey, settings::locked::kPassword, u"Пароль \"1\"\\ё");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kBackupFolder), u"");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kLockedKey, settings::locked::kPassword),
            u"Пароль \"1\"\\ё");
  // A folder name outside the single-byte code page comes back whole, or Save would write elsewhere.
  WriteRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kFolderDocuments, u"/home/José/€\U0001F600");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kFolderDocuments),
            u"/home/José/€\U0001F600");
}

TEST_F(SettingsStore, ATextReadsOnlyUpToItsFirstNul) {
  WriteRegistryString(HKEY_CURRENT_USER, settings::kClipboardKey, settings::clipboard::kClipboardText,
                      std::u16string(u"before\0after", 12));
  EXPECT_NE(FileText().find("\"ClipboardText\"=\"before\\u0000after\""), std::string::npos);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kClipboardKey, settings::clipboard::kClipboardText),
            u"before");
}

TEST_F(SettingsStore, AValueOfTheOtherTypeReadsEmptyOrZero) {
  WriteRegistryDword(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kCopies, 3);
  EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kCopies).has_value());
  // Texts that fit the 4-byte buffer and texts that do not.
  WriteRegistryString(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWelcome, u"1");
  WriteRegistryString(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kSplash, u"12345");
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWelcome), 0);
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kSplash), 0);
}

TEST_F(SettingsStore, NamesFoldCaseAsTheMainWindowAndTheSettingsDialogNeed) {
  WriteRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kToolBarDecode, u"1");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, u"ToolbarDecode"), u"1");
  WriteRegistryString(HKEY_CURRENT_USER, u"SOFTWARE\\BRANNOCH TOVIN\\QUILLMARK 3.0\\PREFERENCES", u"toolbardecode",
                      u"0");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kToolBarDecode), u"0");
  const std::string text = FileText();
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences]\n"
                      "\"ToolBarDecode\"=\"0\"\n"),
            std::string::npos);
  EXPECT_EQ(text.find("toolbardecode"), std::string::npos);
  EXPECT_EQ(text.find("PREFERENCES"), std::string::npos);
}

TEST_F(SettingsStore, WritingCreatesTheMissingKeysAbove) {
  const std::u16string last = settings::toolbars::PositionName(settings::toolbars::kStandartPositions - 1);
  EXPECT_EQ(last, u"39");
  WriteRegistryDword(HKEY_CURRENT_USER, settings::kToolBarsStandartKey, last, 1);
  WriteRegistryDword(HKEY_CURRENT_USER, settings::kToolBarsDecodeKey, settings::toolbars::PositionName(7), -1);
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, settings::kToolBarsStandartKey, u"39"), 1);
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, settings::kToolBarsDecodeKey, u"07"), -1);
  const std::string text = FileText();
  const std::string program = "[HKEY_CURRENT_USER\\Software\\Brannoch Tovin\\Quillmark 3.0";
  for (const std::string& key : {std::string("[HKEY_CURRENT_USER\\Software]"),
                                 std::string("[HKEY_CURRENT_USER\\Software\\Brannoch Tovin]"), program + "]",
                                 program + "\\Preferences]", program + "\\Preferences\\ToolBars]",
                                 program + "\\Preferences\\ToolBars\\Standart]\n\"39\"=dword:00000001\n",
                                 program + "\\Preferences\\ToolBars\\Decode]\n\"07\"=dword:ffffffff\n"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
}

// Settings the file cannot take are told once a run, in a message box; what the file holds stays.
TEST_F(SettingsStore, AStoreThatCannotBeWrittenIsToldOnce) {
  WriteRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kTopMost, u"1");
  const qmtest::UnwritableFolder frozen(platform::registry::FilePath().parent_path());
  if (!frozen.ok()) GTEST_SKIP() << "the folder cannot be made unwritable here";
  platform::script::Log().clear();
  platform::script::Queue(platform::script::Answer{platform::script::Kind::MessageBox, vb::vbOK, {}});
  WriteRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kTopMost, u"0");
  WriteRegistryDword(HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kSplash, 1);
  EXPECT_EQ(platform::script::Pending(), 0u);
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_NE(platform::script::Log()[0].prompt.find(u"не будут сохранены"), std::u16string::npos);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kTopMost), u"1");
}
