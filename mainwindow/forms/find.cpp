#include "mainwindow/forms/find.h"

#include "mainwindow/forms/search.h"

void frmFind::Design() {
  DesignShared();
  Caption(u"Найти");
  Move(0, 0, 5565, 2610);
  FrameFind.Move(120, 60, 3855, 735);
  FrameFind.Caption(u"Поиск:");
  lblFind.Move(120, 300, 615, 255);
  cboFind.Move(780, 270, 2955, 315);
  Frame2.Move(120, 855, 3855, 1095);
  chkWholeWord.Move(120, 300, 3615, 315);
  chkMatchCase.Move(120, 660, 3615, 315);
  cmdFind.Move(4095, 150, 1275, 375);
  cmdCancel.Move(4095, 615, 1275, 375);
}

void frmFind::cmdFind_Click() { search::Press(cmdFind, cboFind.Text(), search::Options(chkWholeWord, chkMatchCase)); }

frmFind& FindWindow() {
  static frmFind* window = new frmFind;
  return *window;
}
