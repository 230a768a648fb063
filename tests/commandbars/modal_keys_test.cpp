// Keys typed into a modal window belong to it: the host window's shortcuts (here Ctrl+V, pasting
// into the host's editing box) and its Alt menu stay out of every kind of modal window shown over
// it, and the control that has the focus there gets the keys (Ctrl+V pastes into a file name box).
#include <gtest/gtest.h>

#include <string>

#include "command_bar_host.h"
#include "commandbars/menu_mode.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/script/script.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/testing/dialogs.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"

using namespace cbtest;
namespace mCommandBars = commandbars::mCommandBars;
namespace input = platform::testing;

namespace {

constexpr int kCtrl = 0x0008;
constexpr char16_t kName[] = u"имя.txt";
constexpr char16_t kDocument[] = u"Текст документа";

// A modal form of the program's own, with a box of its own that has the focus.
class frmAsk : public vb::Form {
 public:
  vb::TextBox txtAnswer{*this};

 protected:
  void Design() override {
    Caption(u"Вопрос");
    Move(600, 600, 4000, 2000);
    txtAnswer.Move(120, 120, 3000, 315);
  }
};

class ModalKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    input::ShowAndWait(form.hWnd());
    cButton paste = form.cmdBar(0).Buttons().Add(u"EDIT:PASTE", -1, u"&Вставить", 0, u"", 'V', 2);
    form.cmdBar(0).CommandBars().Item(u"EDIT").Buttons().Add(paste);
    form.onEvent = [this](const Event& e) {
      if (e.what == u"click" && e.key == u"EDIT:PASTE") form.txtEdit.SelText(vb::Clipboard.GetText());
    };
    form.txtEdit.Text(kDocument);
    form.txtEdit.SetFocus();
    form.txtEdit.SelStart(0);
    form.txtEdit.SelLength(static_cast<std::int32_t>(form.txtEdit.Text().size()));
    vb::Clipboard.SetText(kName);
    vb::DoEvents();
    platform::script::SetActive(false);
  }
  void TearDown() override {
    platform::script::SetActive(true);
    input::ForgetDialogActions();
    mCommandBars::LeaveMenuMode();
    form.Unload();
  }

  // What the user does in the modal window shown next: Ctrl+V, an Alt tap, then Esc. Afterwards
  // `boxText` holds what its first box shows after the paste, and `menuOpened` tells whether the
  // Alt tap took the host into its menu.
  void TypeInNextDialog() {
    input::InNextDialog([this] { TypeInModalWindow(); });
  }
  void TypeInModalWindow() {
    input::KeyClickInModalWindow('V', kCtrl);
    boxText = input::DialogEditText();
    input::KeyClickInModalWindow(win::VK_MENU);
    menuOpened = mCommandBars::InMenuMode();
    mCommandBars::LeaveMenuMode();
    input::PressEscapeInModalWindow();
  }
  void ExpectHostUntouched() {
    EXPECT_EQ(form.Count(u"click"), 0) << "a shortcut of the window behind ran";
    EXPECT_EQ(form.txtEdit.Text(), kDocument);
    EXPECT_FALSE(menuOpened) << "Alt in the modal window opened the menu of the window behind";
  }

  frmHost form;
  std::u16string boxText;
  bool menuOpened = false;
};

}  // namespace

TEST_F(ModalKeys, TheShortcutRunsInTheWindowItself) {
  input::KeyClick(form.txtEdit.hWnd(), 'V', kCtrl);
  EXPECT_EQ(form.Count(u"click", u"EDIT:PASTE"), 1);
  EXPECT_EQ(form.txtEdit.Text(), kName);
}

TEST_F(ModalKeys, FileDialogsPasteIntoTheirNameBox) {
  vb::CommonDialog dialog;
  TypeInNextDialog();
  dialog.ShowOpen();
  EXPECT_EQ(boxText, kName);
  ExpectHostUntouched();
  boxText.clear();
  TypeInNextDialog();
  dialog.ShowSave();
  EXPECT_EQ(boxText, kName);
  ExpectHostUntouched();
}

TEST_F(ModalKeys, TheFolderDialogPastesIntoItsNameBox) {
  win::BROWSEINFOA bi{};
  bi.lpszTitle = u"Выберите папку";
  TypeInNextDialog();
  const win::PIDLIST_ABSOLUTE chosen = win::SHBrowseForFolderA(&bi);
  win::CoTaskMemFree(chosen);
  EXPECT_EQ(boxText, kName);
  ExpectHostUntouched();
}

TEST_F(ModalKeys, FontColourAndPrintDialogsKeepTheirKeys) {
  vb::CommonDialog dialog;
  TypeInNextDialog();
  dialog.ShowFont();
  ExpectHostUntouched();
  TypeInNextDialog();
  dialog.ShowColor();
  ExpectHostUntouched();
  TypeInNextDialog();
  dialog.ShowPrinter();
  ExpectHostUntouched();
}

TEST_F(ModalKeys, MessageBoxesKeepTheirKeys) {
  TypeInNextDialog();
  vb::MsgBox(u"Сообщение", vb::vbOKOnly, u"Проверка");
  ExpectHostUntouched();
  TypeInNextDialog();
  win::ShellAboutA(form.hWnd(), u"Проверка", u"", 0);
  ExpectHostUntouched();
}

TEST_F(ModalKeys, TheProgramsOwnModalFormsKeepTheirKeys) {
  frmAsk ask;
  platform::script::SetActive(true);  // the form is worked from inside its Show
  vb::testing::QueueModalAction([&] {
    ask.txtAnswer.SetFocus();
    TypeInModalWindow();
    ask.Hide();
  });
  ask.Show(vb::vbModal, &form);
  EXPECT_EQ(ask.txtAnswer.Text(), kName);
  ExpectHostUntouched();
  ask.Unload();
}
