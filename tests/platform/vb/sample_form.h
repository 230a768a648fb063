// The sample dialog the form and control tests share: option buttons in two containers, a check
// box, text boxes, lists, OK and Cancel, a timer and a label array, each logging its events; the
// user's clicks and keys on it; and a fixture that ends it after each test.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/win.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"

#include <gtest/gtest.h>

namespace vbforms {

// Near the left edge, where check boxes and option buttons have their mark.
inline void UserClick(win::HWND h) {
  win::RECT r;
  win::GetClientRect(h, &r);
  platform::testing::Click(h, 6, r.bottom / 2);
}
inline void UserClick(vb::Control& c) { UserClick(c.hWnd()); }

inline void UserKey(vb::Control& c, int vk, const std::u16string& text = {}) {
  platform::testing::KeyClick(c.hWnd(), vk, 0, text);
}

// A dialog in the manner of the program's windows.
class frmSample : public vb::Form {
 public:
  vb::Frame Frame1{*this};
  vb::OptionButton optA{Frame1};
  vb::OptionButton optB{Frame1};
  vb::PictureBox Picture1{*this};
  vb::OptionButton optC{Picture1};
  vb::CheckBox chkFlag{*this};
  vb::TextBox txtName{*this};
  vb::TextBox txtNotes{*this, true};
  vb::ComboBox cboKind{*this, vb::vbComboDropdownList};
  vb::ComboBox cboFree{*this};
  vb::ListBox lstItems{*this};
  vb::ListBox lstChecks{*this, vb::vbListBoxCheckbox};
  vb::CommandButton cmdOK{*this};
  vb::CommandButton cmdCancel{*this};
  vb::Timer tmrTick{*this};
  vb::ControlArray<vb::Label> lblLine{*this};

  std::vector<std::string> events;
  int loads = 0;
  int queryCancel = 0;
  int unloadCancel = 0;
  int lastQueryMode = -1;
  std::function<void()> onOK;

  frmSample() {
    optA.Click = [this] { events.push_back("optA_Click"); };
    optB.Click = [this] { events.push_back("optB_Click"); };
    optC.Click = [this] { events.push_back("optC_Click"); };
    chkFlag.Click = [this] { events.push_back("chkFlag_Click"); };
    txtName.Change = [this] { events.push_back("txtName_Change"); };
    cboKind.Click = [this] { events.push_back("cboKind_Click"); };
    lstItems.Click = [this] { events.push_back("lstItems_Click"); };
    lstChecks.ItemCheck = [this](int i) { events.push_back("lstChecks_ItemCheck " + std::to_string(i)); };
    cmdOK.Click = [this] {
      events.push_back("cmdOK_Click");
      if (onOK) onOK();
    };
    cmdOK.MouseDown = [this](int button, int, float, float) { events.push_back("cmdOK_MouseDown " + std::to_string(button)); };
    cmdCancel.Click = [this] { events.push_back("cmdCancel_Click"); };
    tmrTick.Tick = [this] { events.push_back("tmrTick_Timer"); };
    lblLine.Connect = [this](vb::Label& l) {
      l.Click = [this, &l] { events.push_back("lblLine_Click " + std::to_string(l.Index())); };
    };
  }

 protected:
  void Design() override {
    Caption(u"Образец");
    Move(0, 0, 6000, 4500);
    Frame1.Move(120, 120, 2000, 1200);
    optA.Move(120, 240, 1500, 300);
    optA.Caption(u"A");
    optB.Move(120, 600, 1500, 300);
    optB.Caption(u"B");
    optB.Value(true);
    Picture1.Move(2300, 120, 2000, 1200);
    optC.Move(60, 60, 1500, 300);
    chkFlag.Move(120, 1500, 2000, 300);
    chkFlag.Value(vb::vbChecked);
    txtName.Move(120, 1900, 2000, 300);
    txtName.Text(u"имя");
    txtNotes.Move(2300, 1900, 2000, 900);
    cboKind.Move(120, 2300, 2000, 300);
    cboKind.AddItem(u"один");
    cboKind.AddItem(u"два");
    cboKind.ListIndex(0);
    cboFree.Move(2300, 2900, 2000, 300);
    lstItems.Move(120, 2700, 2000, 600);
    lstChecks.Move(4400, 120, 1400, 900);
    cmdOK.Move(120, 3400, 1200, 375);
    cmdOK.Caption(u"OK");
    cmdOK.Default(true);
    cmdCancel.Move(1400, 3400, 1200, 375);
    cmdCancel.Caption(u"Отмена");
    cmdCancel.Cancel(true);
    tmrTick.Interval(100);
    lblLine.Load(0).Move(4400, 1100, 1400, 250);
  }
  void Form_Load() override {
    ++loads;
    events.push_back("Form_Load");
  }
  void Form_QueryUnload(int& cancel, int mode) override {
    lastQueryMode = mode;
    events.push_back("Form_QueryUnload");
    cancel = queryCancel;
  }
  void Form_Unload(int& cancel) override {
    events.push_back("Form_Unload");
    cancel = unloadCancel;
  }
};

class Forms : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  frmSample form;
};

}  // namespace vbforms
