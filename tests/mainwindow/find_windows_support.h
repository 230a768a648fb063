// The main window with its find, replace and go-to windows, which are closed again after each test.
#pragma once

#include "main_window_support.h"
#include "mainwindow/forms/find.h"
#include "mainwindow/forms/go_to.h"
#include "mainwindow/forms/replace.h"
#include "mainwindow/forms/search.h"

namespace qmtest {

class FindWindowsTest : public MainWindowTest {
 protected:
  ~FindWindowsTest() override {
    for (vb::Form* f : {static_cast<vb::Form*>(&FindWindow()), static_cast<vb::Form*>(&ReplaceWindow()),
                        static_cast<vb::Form*>(&GoToWindow())})
      if (f->IsLoaded()) f->Terminate();
  }
  // The editor holding `text` with the caret at its start.
  void Document(const std::u16string& text) {
    editor().Text(text);
    editor().SelStart(0);
  }
  bool FindNextEnabled() { return w().cmdBar(0).Buttons().Item(u"MENU:FIND:FINDNEXT").Enabled(); }
  void Select(std::int32_t start, std::int32_t length) {
    editor().SelStart(start);
    editor().SelLength(length);
  }
  std::u16string Selection() { return editor().SelText(); }
  // The last message box shown: its prompt and its flags.
  platform::script::Shown LastBox() {
    return platform::script::Log().empty() ? platform::script::Shown{} : platform::script::Log().back();
  }
};

}  // namespace qmtest
