// A host window like the program's main window: a control array of command-bar controls whose
// element 0 is the main menu bar ("Файл" with a sub-menu, "Правка"), element 1 a toolbar with a
// split and a check button, element 2 a second toolbar with a panel control (a drop-down list);
// further elements are loaded when the popup pool asks for one. Everything is built through the
// object model, and every event the controls raise is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commandbars/kest_command_bar.h"
#include "commandbars/object_model.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/win/keys.h"

namespace cbtest {

using commandbars::cButton;
using commandbars::cButtons;
using commandbars::cCommandBar;
using commandbars::cCommandBars;
using commandbars::kestCommandBar;

struct Event {
  int control;
  std::u16string what;  // "click", "dropdown", "before", "after", "right"
  std::u16string key;
};

class frmHost : public vb::Form {
 public:
  vb::ControlArray<kestCommandBar> cmdBar{*this};
  vb::ComboBox cboDirection{*this, vb::vbComboDropdownList};
  vb::TextBox txtEdit{*this, true};

  std::vector<Event> events;
  // Told of every event as it is raised.
  std::function<void(const Event&)> onEvent;
  int instancesAsked = 0;
  bool refuseInstances = false;
  bool cancelDropDowns = false;
  int nextInstance = 3;

  int Count(const std::u16string& what, const std::u16string& key = {}) const {
    int n = 0;
    for (const Event& e : events)
      if (e.what == what && (key.empty() || e.key == key)) ++n;
    return n;
  }

 protected:
  void Design() override {
    Caption(u"Панели команд");
    Move(0, 0, 9000, 6000);
    cmdBar.Connect = [this](kestCommandBar& c) { Connect(c); };
    cmdBar.Load(0).Move(0, 0, 9000, 330);
    cmdBar.Load(1).Move(0, 330, 5400, 450);
    cmdBar.Load(2).Move(5400, 330, 3600, 450);
    for (int i = 0; i <= 2; ++i) cmdBar(i).Visible(true);
    cboDirection.Move(0, 0, 1800, 315);
    for (auto s : {u"DOS 866 → Windows 1251", u"Windows 1251 → DOS 866"}) cboDirection.AddItem(s);
    cboDirection.ListIndex(0);
    txtEdit.Move(0, 900, 9000, 4000);
  }

  void Form_Load() override {
    cButtons buttons = cmdBar(0).Buttons();
    cCommandBars bars = cmdBar(0).CommandBars();
    buttons.Add(u"MENU:FILE", -1, u"&Файл");
    buttons.Add(u"MENU:EDIT", -1, u"&Правка");
    buttons.Add(u"MENU:HELP", -1, u"&Справка");
    buttons.Add(u"FILE:NEW", -1, u"&Новый", 0, u"Новый документ", 'N', 2);
    buttons.Add(u"FILE:OPEN", -1, u"&Открыть...", 0, u"Открыть документ", 'O', 2);
    buttons.Add(u"FILE:RECENT", -1, u"&Последние");
    buttons.Add(u"FILE:SEP", -1, u"", 1);
    buttons.Add(u"FILE:SAVE", -1, u"&Сохранить", 0, u"Сохранить", 'S', 2);
    buttons.Add(u"FILE:PRINT", -1, u"Пе&чать", 0, u"Печать", 'P', 2);
    buttons.Add(u"FILE:EXIT", -1, u"В&ыход");
    buttons.Add(u"RECENT:ONE", -1, u"&1 письмо.txt");
    buttons.Add(u"RECENT:TWO", -1, u"&2 отчёт.txt");
    buttons.Add(u"EDIT:UNDO", -1, u"&Отменить", 0, u"", 'Z', 2);
    buttons.Add(u"EDIT:WRAP", -1, u"&Перенос строк", 4);
    buttons.Add(u"TB:NEW", -1, u"Новый", 0, u"Новый");
    buttons.Add(u"TB:OPEN", -1, u"Открыть", 2, u"Открыть");
    buttons.Add(u"TB:SEP", -1, u"", 1);
    buttons.Add(u"TB:WRAP", -1, u"Перенос", 4, u"Перенос строк");
    buttons.Add(u"TB:EXTRA", -1, u"Ещё", 0, u"Ещё одна кнопка");
    buttons.Add(u"TB2:DIRECTION", -1, u"", 3, u"Направление");
    buttons.Add(u"TB2:CONVERT", -1, u"Перекодировать", 0, u"Перекодировать");
    for (auto key : {u"MENU:FILE", u"MENU:EDIT", u"MENU:HELP", u"TB:NEW", u"TB:OPEN", u"TB:WRAP", u"TB:EXTRA", u"TB2:CONVERT"})
      buttons.Item(std::u16string_view(key)).ShowCaptionInToolbar(true);
    buttons.Item(u"TB2:DIRECTION").PanelWidth(120);

    cCommandBar menu = bars.Add(u"MENU", u"Меню");
    cCommandBar file = bars.Add(u"FILE");
    cCommandBar edit = bars.Add(u"EDIT");
    cCommandBar recent = bars.Add(u"RECENT");
    cCommandBar toolbar = bars.Add(u"TOOLBAR", u"Стандартная");
    cCommandBar toolbar2 = bars.Add(u"TOOLBAR2", u"Перекодировка");
    cCommandBar openMenu = bars.Add(u"OPENMENU");
    for (auto key : {u"MENU:FILE", u"MENU:EDIT", u"MENU:HELP"}) menu.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"FILE:NEW", u"FILE:OPEN", u"FILE:RECENT", u"FILE:SEP", u"FILE:SAVE", u"FILE:PRINT", u"FILE:EXIT"})
      file.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"RECENT:ONE", u"RECENT:TWO"}) recent.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"EDIT:UNDO", u"EDIT:WRAP"}) edit.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"TB:NEW", u"TB:OPEN", u"TB:SEP", u"TB:WRAP", u"TB:EXTRA"})
      toolbar.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"TB2:DIRECTION", u"TB2:CONVERT"}) toolbar2.Buttons().Add(buttons.Item(std::u16string_view(key)));
    for (auto key : {u"RECENT:ONE", u"RECENT:TWO"}) openMenu.Buttons().Add(buttons.Item(std::u16string_view(key)));
    buttons.Item(u"MENU:FILE").Bar(&file);
    buttons.Item(u"MENU:EDIT").Bar(&edit);
    buttons.Item(u"FILE:RECENT").Bar(&recent);
    buttons.Item(u"TB:OPEN").Bar(&openMenu);

    cmdBar(0).MainMenu(true);
    cmdBar(0).Toolbar(&menu);
    cmdBar(1).Toolbar(&toolbar);
    cmdBar(2).Toolbar(&toolbar2);
    buttons.Item(u"TB2:DIRECTION").PanelControl(&cboDirection);
  }

 private:
  void Raise(const Event& e) {
    events.push_back(e);
    if (onEvent) onEvent(e);
  }
  void Connect(kestCommandBar& c) {
    const int i = c.Index();
    c.ButtonClick = [this, i](const cButton& b) { Raise({i, u"click", b.Key()}); };
    c.ButtonDropDown = [this, i](const cButton& b, bool& cancel) {
      Raise({i, u"dropdown", b.Key()});
      cancel = cancelDropDowns;
    };
    c.BeforeShowMenu = [this, i](const cCommandBar& b) { Raise({i, u"before", b.Key()}); };
    c.AfterShowMenu = [this, i](const cCommandBar& b) { Raise({i, u"after", b.Key()}); };
    c.RightClick = [this, i](const cButton* b, int, int) { Raise({i, u"right", b ? b->Key() : u""}); };
    c.RequestNewInstance = [this](kestCommandBar*& ctl) {
      ++instancesAsked;
      if (!refuseInstances) ctl = &cmdBar.Load(nextInstance++);
    };
  }
};

}  // namespace cbtest
