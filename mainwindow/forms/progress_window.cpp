#include "mainwindow/forms/progress_window.h"

#include "mainwindow/window_chrome.h"

ProgressWindow::ProgressWindow() { chrome::AddButtonSounds(cmdCancel); }

void ProgressWindow::DesignProgress(const std::u16string& caption, float height, float detailsHeight) {
  Caption(caption);
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5340, height);
  Frame1.Move(120, 60, 4995, 855);
  Frame1.Caption(u"Выполнено:");
  ProgressBar.Move(120, 300, 4755, 375);
  FrameProgress.Move(120, 1000, 4995, detailsHeight);
  FrameProgress.Caption(u"Подробности:");
  Label1.Move(120, 300, 1000, 255);
  Label1.Caption(u"Файл:");
  txtPath.Move(1200, 270, 3675, 285);
  txtPath.Locked(true);
  txtPath.BackColor(vb::vbButtonFace);
  const float line = 1000 + detailsHeight + 125;
  picLine.Move(0, line, 5400, 30);
  picLine.BorderStyle(1);
  cmdCancel.Move(3900, line + 120, 1215, 375);
  cmdCancel.Caption(u"Отмена");
  cmdCancel.Default(true);
  cmdCancel.Cancel(true);
}

void ProgressWindow::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

void ProgressWindow::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }
