#include "mainwindow/forms/document_properties.h"

#include <cstdint>

#include "core/document.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/shell/file_properties.h"
#include "platform/vb/screen.h"
#include "platform/vb/stdole.h"

namespace {

using platform::shell::DateText;
using platform::shell::DateTimeText;
using platform::shell::kUnknown;

constexpr char16_t kNotSaved[] = u"<Файл не сохранен>";

void Place(vb::Label& label, float left, float top, float width, const std::u16string& caption) {
  label.Move(left, top, width, 255);
  label.Caption(caption);
}

// A frame with no caption, two pixels high: a groove between the groups.
void Groove(vb::Frame& frame, float top) { frame.Move(120, top, 4680, 30); }

// The design picture: the desktop's icon of a plain text document.
vb::Picture DocumentPicture() {
  const win::HICON icon = win::ExtractAssociatedIconA(0, u"Документ.txt", nullptr);
  return icon == 0 ? nullptr : std::make_shared<vb::StdPicture>(vb::vbPicTypeIcon, icon);
}

}  // namespace

frmDocumentProperties::frmDocumentProperties() {
  cmdClose.Click = [this] { Unload(); };
  picFileImage.Paint = [this] { picFileImage_Paint(); };
  tabProperties.TabClick = [this](std::int32_t tab) { tabProperties_TabClick(tab); };
  // The attribute boxes are for display: they never keep the keyboard focus.
  for (vb::CheckBox& box : chkAttrib) box.GotFocus = [this] { cmdClose.SetFocus(); };
  // Nor can a click make them say what the file is not.
  for (int i = 0; i < 4; ++i) {
    chkAttrib[i].Click = [this, i] {
      if (chkAttrib[i].Value() != shownAttributes_[i]) chkAttrib[i].Value(shownAttributes_[i]);
    };
  }
  chrome::AddButtonSounds(cmdClose);
}

void frmDocumentProperties::Design() {
  Caption(u"Свойства документа");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5535, 6090);
  tabProperties.Move(120, 120, 5175, 4935);
  picGeneral.Move(240, 540, 4935, 4395);
  picGeneral.BorderStyle(0);
  picFileImage.Move(120, 120, 480, 480);
  picFileImage.BorderStyle(0);
  picFileImage.Picture(DocumentPicture());
  Place(Label1, 840, 240, 1200, u"Имя файла:");
  Place(lblName, 2040, 240, 2760, u"");
  Groove(Frame1, 780);
  Place(Label5, 120, 1020, 1200, u"Размещение:");
  txtLocation.Move(1320, 990, 3480, 285);
  txtLocation.Locked(true);
  Place(Label6, 120, 1380, 1200, u"Размер:");
  Place(lblSize, 1320, 1380, 3480, u"");
  Groove(Frame3, 1800);
  Place(Label2, 120, 2040, 1200, u"Создан:");
  Place(Label3, 120, 2400, 1200, u"Изменен:");
  Place(Label4, 120, 2760, 1200, u"Открыт:");
  for (int i = 0; i < 3; ++i) Place(lblDate[i], 1320, 2040.0f + 360 * i, 3480, u"00/00/0000 00:00:00");
  Groove(Frame4, 3180);
  for (int i = 0; i < 4; ++i) {
    chkAttrib[i].Move(i % 2 == 0 ? 120 : 2520, 3420.0f + 360 * (i / 2), 2280, 255);
    chkAttrib[i].Caption(platform::shell::kAttributeBoxes[i].caption);
  }
  Groove(Frame5, 4200);
  cmdClose.Move(4080, 5160, 1215, 375);
  cmdClose.Caption(u"&Закрыть");
  cmdClose.Default(true);
  cmdClose.Cancel(true);
}

void frmDocumentProperties::Form_Load() {
  mainwindow::CentreOverMainWindow(*this);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  tabProperties.AddTab(u"Общие", -1, 1, u"GENERAL", 1000);
  tabProperties.SelectTab(1);
  picGeneral.Visible(true);
  documentPath_ = modDocument::DocumentPath();
  shownAttributes_.fill(vb::vbUnchecked);
  ShowDocumentProperties();
}

void frmDocumentProperties::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmDocumentProperties::ShowDocumentProperties() {
  vb::Screen.MousePointer(11);
  win::WIN32_FIND_DATAA record;
  const bool found = platform::shell::GetFileFindData(documentPath_, record);
  lblName.Caption(platform::shell::GetFileTitleOf(documentPath_));
  txtLocation.Text(documentPath_);
  lblSize.Caption(found ? platform::shell::FormatByteSize(platform::shell::SizeOf(record)) : kUnknown);
  lblDate[0].Caption(DateTimeText(record.ftCreationTime));
  lblDate[1].Caption(DateTimeText(record.ftLastWriteTime));
  lblDate[2].Caption(DateText(record.ftLastAccessTime));
  for (int i = 0; i < 4; ++i) {
    if ((record.dwFileAttributes & platform::shell::kAttributeBoxes[i].bit) != 0) {
      shownAttributes_[i] = vb::vbChecked;
      chkAttrib[i].Value(vb::vbChecked);
    }
  }
  if (documentPath_.empty()) {
    lblName.Caption(u"Документ");
    txtLocation.Text(kNotSaved);
    lblSize.Caption(kNotSaved);
    for (vb::Label& date : lblDate) date.Caption(kUnknown);
  }
  vb::Screen.MousePointer(0);
}

void frmDocumentProperties::picFileImage_Paint() {
  if (documentPath_.empty()) return;
  win::WORD index = 0;
  const win::HICON icon = win::ExtractAssociatedIconA(0, documentPath_, &index);
  if (icon == 0) return;
  win::DrawIconEx(picFileImage.hDC(), 0, 0, icon, 0, 0, 0, 0, win::DI_NORMAL);
  win::DestroyIcon(icon);
}

void frmDocumentProperties::tabProperties_TabClick(std::int32_t lTab) {
  if (tabProperties.TabText(lTab) == u"Общие") picGeneral.Visible(true);
}

frmDocumentProperties& DocumentPropertiesWindow() {
  static frmDocumentProperties* window = new frmDocumentProperties;
  return *window;
}
