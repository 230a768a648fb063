#include "controls/hyper_link_settings.h"

namespace {

int Checked(bool v) { return v ? vb::vbChecked : vb::vbUnchecked; }

}  // namespace

Settings::Settings() {
  for (vb::CheckBox* c : {&chkMOUnderline, &chkMOPointer, &chkAutoToolTip, &chkAutoSize, &chkEnabled})
    c->Click = [this] { Changed = true; };
  for (vb::TextBox* t : {&txtCaption, &txtHyperLink}) t->Change = [this] { Changed = true; };
}

void Settings::Design() {
  Caption(u"Settings");
  Move(0, 0, 5400, 3450);
  Frame1.Move(120, 60, 5040, 2880);
  chkMOUnderline.Move(120, 240, 4700, 255);
  chkMOUnderline.Caption(u"Подчеркивать при MouseOver");
  chkMOPointer.Move(120, 540, 4700, 255);
  chkMOPointer.Caption(u"Указатель \"Рука\" при MouseOver");
  chkAutoToolTip.Move(120, 840, 4700, 255);
  chkAutoToolTip.Caption(u"АвтоПодсказка");
  chkAutoSize.Move(120, 1140, 4700, 255);
  chkAutoSize.Caption(u"АвтоРазмер заголовка");
  lblCaption.Move(120, 1500, 1000, 255);
  lblCaption.Caption(u"Заголовок:");
  txtCaption.Move(1200, 1455, 3700, 315);
  lblHyperLink.Move(120, 1920, 1000, 255);
  lblHyperLink.Caption(u"Адрес:");
  txtHyperLink.Move(1200, 1875, 3700, 315);
  chkEnabled.Move(120, 2340, 4700, 255);
  chkEnabled.Caption(u"Активировать");
}

void Settings::PropertyPage_SelectionChanged() {
  if (SelectedControls.empty() || SelectedControls.front() == nullptr) return;
  HyperLink& link = *SelectedControls.front();
  chkMOUnderline.Value(Checked(link.MOUnderline()));
  chkMOPointer.Value(Checked(link.MOPointer()));
  chkAutoToolTip.Value(Checked(link.AutoToolTip()));
  chkAutoSize.Value(Checked(link.AutoSize()));
  txtCaption.Text(link.Caption());
  txtHyperLink.Text(link.HyperLinkAddress());
  chkEnabled.Value(Checked(link.Enabled()));
  // Filling the page is no edit: Apply is offered only once the user changes something.
  Changed = false;
}

void Settings::PropertyPage_ApplyChanges() {
  if (SelectedControls.empty() || SelectedControls.front() == nullptr) return;
  HyperLink& link = *SelectedControls.front();
  link.MOUnderline(chkMOUnderline.Value() == vb::vbChecked);
  link.MOPointer(chkMOPointer.Value() == vb::vbChecked);
  link.AutoToolTip(chkAutoToolTip.Value() == vb::vbChecked);
  link.AutoSize(chkAutoSize.Value() == vb::vbChecked);
  link.Caption(txtCaption.Text());
  link.HyperLinkAddress(txtHyperLink.Text());
  link.Enabled(chkEnabled.Value() == vb::vbChecked);
  Changed = false;
}
