#include "mainwindow/forms/insert_time_and_date.h"

#include <array>
#include <utility>

#include "core/main_window.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"

namespace {

// The date and time forms of each row; an empty one is left out.
struct RowForm {
  std::u16string_view date;
  std::u16string_view time;
};

constexpr std::array<RowForm, frmInsertTimeAndDate::kRowCount> kRows = {{
    {u"", u"hh:mm"},
    {u"", u"hh:mm:ss"},
    {u"dd/mm/yy", u""},
    {u"dd/mm/yy", u"hh:mm"},
    {u"dd/mm/yy", u"hh:mm:ss"},
    {u"dd/mm/yyyy", u""},
    {u"dd/mm/yyyy", u"hh:mm"},
    {u"dd/mm/yyyy", u"hh:mm:ss"},
    {u"dd mmmm yy", u""},
    {u"dd mmmm yy", u"hh:mm"},
    {u"dd mmmm yy", u"hh:mm:ss"},
    {u"dd mmmm yyyy", u""},
    {u"dd mmmm yyyy", u"hh:mm"},
    {u"dd mmmm yyyy", u"hh:mm:ss"},
}};

}  // namespace

frmInsertTimeAndDate::frmInsertTimeAndDate(Clock clock, Conventions conventions)
    : clock_(std::move(clock)), conventions_(std::move(conventions)) {
  cmdInsert.Click = [this] { cmdInsert_Click(); };
  lstDates.DblClick = [this] { cmdInsert_Click(); };
  cmdClose.Click = [this] { Unload(); };
  chrome::AddButtonSounds(cmdInsert);
  chrome::AddButtonSounds(cmdClose);
}

void frmInsertTimeAndDate::Design() {
  Caption(u"Время и дата");
  BorderStyle(vb::vbFixedDouble);
  ClientSize(4455, 4965);
  // The list is tall enough to show all fourteen rows at once.
  FrameInsertTimeAndDate.Move(120, 120, 4215, 3360);
  FrameInsertTimeAndDate.Caption(u"Доступные форматы:");
  lstDates.Move(120, 300, 3975, 2925);
  Frame1.Move(120, 3555, 4215, 675);
  Frame1.Caption(u"Дополнительно:");
  chkAutoUpdate.Move(120, 300, 3975, 255);
  chkAutoUpdate.Caption(u"Автоматически обновлять");
  // Never seen: it only holds the chosen row while the list is rebuilt.
  txtUpdate.Move(-5000, 0, 495, 285);
  picLine.Move(0, 4350, 4600, 30);
  picLine.BorderStyle(1);
  cmdInsert.Move(1800, 4470, 1215, 375);
  cmdInsert.Caption(u"Вставить");
  cmdInsert.Default(true);
  cmdClose.Move(3120, 4470, 1215, 375);
  cmdClose.Caption(u"Закрыть");
  cmdClose.Cancel(true);
}

void frmInsertTimeAndDate::Form_Load() {
  mainwindow::CentreOverMainWindow(*this);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  FillDateList();
}

void frmInsertTimeAndDate::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

std::u16string frmInsertTimeAndDate::RowText(int row, const vb::DateTime& t, const vb::DateConventions& conventions) {
  const RowForm& form = kRows[static_cast<std::size_t>(row)];
  std::u16string text = vb::Format(t, form.date, conventions);
  if (!form.date.empty() && !form.time.empty()) text += u' ';
  return text + vb::Format(t, form.time, conventions);
}

void frmInsertTimeAndDate::FillDateList() {
  const vb::DateConventions conventions = conventions_();
  lstDates.Clear();
  for (int row = 0; row < kRowCount; ++row) lstDates.AddItem(RowText(row, clock_(), conventions));
}

void frmInsertTimeAndDate::cmdInsert_Click() {
  if (chkAutoUpdate.Value() == vb::vbChecked) {
    txtUpdate.Text(vb::CStr(static_cast<std::int64_t>(lstDates.ListIndex())));
    FillDateList();
    lstDates.ListIndex(vb::CInt(vb::Val(txtUpdate.Text())));
  }
  const std::u16string text = lstDates.Text();
  if (text.empty()) {
    vb::MsgBox(u"Выберите необходимый формат!", vb::vbInformation, core::kProgramTitle);
    return;
  }
  core::frmMain().RichTextBox().SelText(text);
  Unload();
}

frmInsertTimeAndDate& InsertTimeAndDateWindow() {
  static frmInsertTimeAndDate* window = new frmInsertTimeAndDate;
  return *window;
}
