// frmInsertTimeAndDate: fourteen renderings of the current time and date ("hh:mm", "hh:mm:ss", the
// date as "dd/mm/yy", "dd/mm/yyyy", "dd mmmm yy" and "dd mmmm yyyy", alone and followed by either
// time), one of which "Вставить" (or a double click on it) puts into the main window's editor in
// place of its selection, closing the window. With "Автоматически обновлять" ticked the list is
// rebuilt at the click, so the chosen row carries the time of the click rather than of the opening.
//
// Each row reads the clock once, so its date and time belong to one instant even when the clock
// passes midnight while the list fills.
#pragma once

#include <functional>
#include <string>

#include "platform/vb/controls.h"
#include "platform/vb/date_time.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmInsertTimeAndDate : public vb::Form {
 public:
  vb::Frame FrameInsertTimeAndDate{*this};
  vb::ListBox lstDates{FrameInsertTimeAndDate};
  vb::Frame Frame1{*this};
  vb::CheckBox chkAutoUpdate{Frame1};
  vb::TextBox txtUpdate{*this};
  vb::CommandButton cmdInsert{*this};
  vb::CommandButton cmdClose{*this};
  vb::PictureBox picLine{*this};

  static constexpr int kRowCount = 14;

  // Where the rows take the time and the system's ways of writing it from, read at each filling:
  // the system's own in the program, fixed ones in tests.
  using Clock = std::function<vb::DateTime()>;
  using Conventions = std::function<vb::DateConventions()>;
  explicit frmInsertTimeAndDate(Clock clock = vb::Now, Conventions conventions = vb::SystemDateConventions);

  // Empties the list and adds the fourteen rows, none of them chosen.
  void FillDateList();
  // The text of row 0 to 13 at the moment `t`.
  static std::u16string RowText(int row, const vb::DateTime& t, const vb::DateConventions& conventions);

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void cmdInsert_Click();

  Clock clock_;
  Conventions conventions_;
};

// The program's one time-and-date window, made on first use.
frmInsertTimeAndDate& InsertTimeAndDateWindow();
