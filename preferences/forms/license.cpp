#include "preferences/forms/license.h"

#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"

std::u16string (*frmLicense::AgreementFolder)() = [] { return vb::App.Path(); };

frmLicense::frmLicense() {
  cmdClose.Click = [this] { Unload(); };
  chrome::AddButtonSounds(cmdClose);
}

void frmLicense::Design() {
  Caption(u"Лицензионное соглашение");
  BorderStyle(vb::vbFixedDouble);
  constexpr float width = 8400;
  constexpr float height = 6900;
  Move(0, 0, width, height);
  mainwindow::CentreOverMainWindow(*this);
  Picture1.Move(0, 0, width, 90);
  Picture1.BorderStyle(0);
  Picture1.BackColor(vb::vbHighlight);
  ShapeRichTextBox.Move(210, 270, width - 540, 5220);
  ShapeRichTextBox.BorderColor(0x808080);
  RichTextBox.Move(240, 300, width - 600, 5160);
  RichTextBox.BackColor(vb::vbWindowBackground);
  cmdClose.Move(width - 1575, 5700, 1215, 375);
  cmdClose.Caption(u"OK");
  cmdClose.Default(true);
  cmdClose.Cancel(true);
}

void frmLicense::Form_Load() {
  LoadAgreement();
  RichTextBox->Locked(true);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

void frmLicense::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmLicense::LoadAgreement() {
  const std::u16string path = AgreementFolder() + u"\\License.rtf";
  try {
    RichTextBox->FileName(path);
  } catch (const vb::Error& e) {
    const std::u16string shown = vb::FromUtf8(vb::NativePath(path));
    const std::u16string what = e.Number == vb::err::kFileNotFound
                                    ? u"Файл лицензионного соглашения не найден:"
                                    : u"Не удалось прочитать файл лицензионного соглашения:";
    RichTextBox->Text(what + u"\r\n" + shown + u"\r\n(" + e.Description +
                      u")\r\n\r\nФайл License.rtf должен находиться в папке программы. Установите программу "
                      u"заново, чтобы вернуть его.");
  }
}
