#include "mainwindow/forms/find.h"

#include "mainwindow/forms/search.h"
#include "mainwindow/window_chrome.h"

frmFind::frmFind() {
  cmdFind.Click = [this] { cmdFind_Click(); };
  cmdCancel.Click = [this] { Unload(); };
  chrome::AddButtonSounds(cmdFind);
  chrome::AddButtonSounds(cmdCancel);
}

void frmFind::Design() {
  Caption(u"Найти");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5565, 2610);
  FrameFind.Move(120, 60, 3855, 735);
  FrameFind.Caption(u"Поиск:");
  lblFind.Move(120, 300, 615, 255);
  lblFind.Caption(u"Найти:");
  cboFind.Move(780, 270, 2955, 315);
  Frame2.Move(120, 855, 3855, 1095);
  Frame2.Caption(u"Параметры:");
  chkWholeWord.Move(120, 300, 3615, 315);
  chkWholeWord.Caption(u"Искать только слово целиком");
  chkMatchCase.Move(120, 660, 3615, 315);
  chkMatchCase.Caption(u"С учетом регистра");
  cmdFind.Move(4095, 150, 1275, 375);
  cmdFind.Caption(search::kFresh);
  cmdFind.Default(true);
  cmdCancel.Move(4095, 615, 1275, 375);
  cmdCancel.Caption(u"Отмена");
  cmdCancel.Cancel(true);
}

void frmFind::Form_Load() { search::LoadWindow(*this, cboFind); }

void frmFind::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmFind::cmdFind_Click() { search::Press(cmdFind, cboFind.Text(), search::Options(chkWholeWord, chkMatchCase)); }

frmFind& FindWindow() {
  static frmFind* window = new frmFind;
  return *window;
}
