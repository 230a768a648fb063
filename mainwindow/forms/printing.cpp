#include "mainwindow/forms/printing.h"

#include <string_view>

#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/print_job.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/app.h"
#include "platform/vb/file_system.h"

namespace {

namespace pref = settings::preferences;

std::u16string Pref(std::u16string_view name) { return modRegistry::ReadPreference(name); }

void PlaceLabel(vb::Label& label, float left, float top, float width, const std::u16string& caption) {
  label.Move(left, top, width, 255);
  label.Caption(caption);
}

}  // namespace

frmPrinting::frmPrinting() {
  cmdPrint.Click = [this] { cmdPrint_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };
  chkDoNotShowThisDialog.Click = [this] { chkDoNotShowThisDialog_Click(); };
  chrome::AddButtonSounds(cmdPrint);
  chrome::AddButtonSounds(cmdClose);
}

void frmPrinting::Design() {
  Caption(u"Печать документа");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5640, 5250);
  Image1.Move(120, 150, 240, 240);
  const std::u16string picture = vb::App.Path() + u"\\Data\\icons\\menu\\Print.ico";
  if (vb::FileExists(picture)) Image1.Picture(vb::LoadPicture(picture));
  Label1.Move(480, 120, 4935, 615);
  Label1.WordWrap(true);
  Label1.Caption(
      u"Вставьте чистый лист бумаги в лоток для подачи бумаги и нажмите 'Печать'. Чтобы закрыть это окно нажмите "
      u"'Закрыть'.");
  Frame1.Move(120, 840, 5295, 2220);
  Frame1.Caption(u"Информация:");
  vb::Label* captions[] = {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
  vb::Label* values[] = {&lblDefaultPrinter, &lblPrintQuality, &lblPrintColor, &lblOrientation, &lblCopies, &lblPaperSize};
  const char16_t* texts[] = {u"Принтер:", u"Качество печати:", u"Тип печати:", u"Ориентация:", u"Количество копий:",
                             u"Размер бумаги:"};
  for (int i = 0; i < 6; ++i) {
    PlaceLabel(*captions[i], 240, 330.0f + 300 * i, 1815, texts[i]);
    PlaceLabel(*values[i], 2100, 330.0f + 300 * i, 3075, u"");
    values[i]->ForeColor(vb::vbHighlight);
  }
  Label8.Move(120, 3180, 5295, 435);
  Label8.WordWrap(true);
  Label8.Caption(u"Вы можете настроить параметры печати в параметрах программы.");
  chkDoNotShowThisDialog.Move(120, 3720, 5295, 255);
  chkDoNotShowThisDialog.Caption(u"Не показывать больше это сообщение");
  picLine.Move(0, 4080, 5700, 30);
  picLine.BorderStyle(1);
  cmdPrint.Move(2760, 4230, 1215, 375);
  cmdPrint.Caption(u"Печать");
  cmdPrint.Default(true);
  cmdClose.Move(4200, 4230, 1215, 375);
  cmdClose.Caption(u"Закрыть");
  cmdClose.Cancel(true);
  cmdClose.TabIndex(0);
}

void frmPrinting::Form_Load() {
  mainwindow::CentreOverMainWindow(*this);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  lblDefaultPrinter.Caption(Pref(pref::kPrinterName));
  lblPrintQuality.Caption(print_job::ShownChoice(pref::kPrintQuality));
  lblPrintColor.Caption(print_job::ShownChoice(pref::kColorMode));
  lblOrientation.Caption(print_job::ShownChoice(pref::kOrientation));
  lblCopies.Caption(Pref(pref::kCopies));
  lblPaperSize.Caption(Pref(pref::kPaperSize));
}

void frmPrinting::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmPrinting::chkDoNotShowThisDialog_Click() {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting,
                                  chkDoNotShowThisDialog.Value() == vb::vbChecked ? 0 : 1);
}

void frmPrinting::cmdPrint_Click() {
  Unload();
  print_job::PrintEditor(core::frmMain().RichTextBox(), print_job::CurrentBoxes());
}

void frmPrinting::cmdClose_Click() { Unload(); }

frmPrinting& PrintingWindow() {
  static frmPrinting* window = new frmPrinting;
  return *window;
}
