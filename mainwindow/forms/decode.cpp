#include "mainwindow/forms/decode.h"

#include "core/decode.h"
#include "core/main_window.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"

frmDecode::frmDecode() {
  const auto sources = SourceRow();
  for (int page = 0; page < modDecode::kCodePageCount; ++page) {
    sources[page]->Click = [this, page] { ApplyTargetRule(page); };
  }
  TimerDecode.Tick = [this] { TimerDecode_Timer(); };
  cmdDecode.Click = [this] { cmdDecode_Click(); };
  cmdCancel.Click = [this] { Unload(); };
  chrome::AddButtonSounds(cmdDecode);
  chrome::AddButtonSounds(cmdCancel);
}

void frmDecode::Design() {
  Caption(u"Перекодирование");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 4575, 4140);
  mainwindow::CentreOverMainWindow(*this);
  Label2.Move(120, 120, 4215, 495);
  Label2.WordWrap(true);
  Label2.Caption(u"Выберите направление перекодирования и нажмите 'Перекодировать'. Чтобы выйти нажмите 'Отмена'.");
  Frame1.Move(120, 720, 2055, 2175);
  Frame1.Caption(u"Исходная кодировка:");
  Frame2.Move(2280, 720, 2055, 2175);
  Frame2.Caption(u"Конечная кодировка:");
  Picture1.Move(120, 300, 1815, 1800);
  Picture2.Move(120, 300, 1815, 1800);
  const auto sources = SourceRow();
  const auto targets = TargetRow();
  for (int page = 0; page < modDecode::kCodePageCount; ++page) {
    const std::u16string name(modDecode::CodePageName(page));
    sources[page]->Move(0, 360.0f * page, 1815, 315);
    sources[page]->Caption(name);
    targets[page]->Move(0, 360.0f * page, 1815, 315);
    targets[page]->Caption(name);
  }
  OptionDOS1.Value(true);
  OptionWIN2.Value(true);
  picLine.Move(0, 3000, 4600, 30);
  picLine.BorderStyle(1);
  cmdDecode.Move(1440, 3120, 1575, 375);
  cmdDecode.Caption(u"Перекодировать");
  cmdDecode.Default(true);
  cmdCancel.Move(3120, 3120, 1215, 375);
  cmdCancel.Caption(u"Отмена");
  TimerDecode.Interval(1);
  TimerDecode.Enabled(true);
}

void frmDecode::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

void frmDecode::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmDecode::ApplyTargetRule(int source) {
  const auto targets = TargetRow();
  for (int page = 0; page < modDecode::kCodePageCount; ++page) {
    if (targets[page]->Enabled() != (page != source)) targets[page]->Enabled(page != source);
  }
}

void frmDecode::TimerDecode_Timer() {
  const auto sources = SourceRow();
  for (int page = 0; page < modDecode::kCodePageCount; ++page) {
    if (sources[page]->Value()) ApplyTargetRule(page);
  }
}

void frmDecode::cmdDecode_Click() {
  Hide();
  // Pressed while a run lets events through: that run goes on, and a Stop asked for stays asked.
  if (modDecode::DecodeRunning()) return;
  const auto sources = SourceRow();
  const auto targets = TargetRow();
  for (int direction = 0; direction < modDecode::kDirectionCount; ++direction) {
    const auto pages = modDecode::DirectionCodePages(direction);
    if (!sources[pages->sourceListIndex]->Value() || !targets[pages->targetListIndex]->Value()) continue;
    modDecode::DecodeCancelled = false;
    MainWindowServices& main = core::frmMain();
    main.Combo1().ListIndex(pages->sourceListIndex);
    main.Combo2().ListIndex(pages->targetListIndex);
    modDecode::DecodeDocument();
  }
}

frmDecode& DecodeDialog() {
  static frmDecode* dialog = new frmDecode;
  return *dialog;
}
