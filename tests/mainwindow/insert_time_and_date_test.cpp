// The time-and-date window: its fourteen rows on a fixed clock, where the separators and month
// names come from, what Insert, a double click and the auto-update put into the editor, and the
// message when no row is chosen.
#include <vector>

#include "main_window_support.h"
#include "mainwindow/forms/insert_time_and_date.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"

using namespace qmtest;

namespace {

vb::DateConventions Russian() {
  vb::DateConventions c;
  c.dateSeparator = u".";
  c.timeSeparator = u":";
  c.monthNames = {u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
                  u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};
  return c;
}

class TimeAndDate : public MainWindowTest {
 protected:
  ~TimeAndDate() override {
    if (window.IsLoaded()) window.Terminate();
  }
  void SetClock(vb::DateTime t) {
    now = t;
    clock = [this] { return now; };
  }
  // The window opened as the main window's command opens it: modeless, owned by the main window.
  void Open() { d().Show(vb::vbModeless, &w()); }
  frmInsertTimeAndDate& d() { return window; }
  std::vector<std::u16string> Rows() {
    std::vector<std::u16string> rows;
    for (int i = 0; i < d().lstDates.ListCount(); ++i) rows.push_back(d().lstDates.List(i));
    return rows;
  }
  // The editor holding "Сегодня: ??? и всё" with the question marks selected.
  void EditorWithSelection() {
    editor().Text(u"Сегодня: ??? и всё");
    editor().SelStart(9);
    editor().SelLength(3);
  }

  vb::DateTime now{2026, 3, 5, 9, 7, 3};
  frmInsertTimeAndDate::Clock clock = [this] { return now; };
  vb::DateConventions conventions = Russian();
  frmInsertTimeAndDate window{[this] { return clock(); }, [this] { return conventions; }};
};

TEST_F(TimeAndDate, FourteenRowsInOrderWithNoneChosen) {
  Open();
  EXPECT_TRUE(d().Visible());
  EXPECT_EQ(d().Caption(), u"Время и дата");
  EXPECT_EQ(Rows(), (std::vector<std::u16string>{
                        u"09:07", u"09:07:03", u"05.03.26", u"05.03.26 09:07", u"05.03.26 09:07:03",
                        u"05.03.2026", u"05.03.2026 09:07", u"05.03.2026 09:07:03", u"05 марта 26",
                        u"05 марта 26 09:07", u"05 марта 26 09:07:03", u"05 марта 2026",
                        u"05 марта 2026 09:07", u"05 марта 2026 09:07:03"}));
  EXPECT_EQ(d().lstDates.ListIndex(), -1);
  // Filling again gives fourteen rows, not twenty-eight.
  d().FillDateList();
  EXPECT_EQ(d().lstDates.ListCount(), 14);
  EXPECT_EQ(d().lstDates.ListIndex(), -1);
}

// The list takes the focus as the window opens; that chooses no row, so Insert asks for one.
TEST_F(TimeAndDate, TheFocusedListStillHasNoChosenRow) {
  EditorWithSelection();
  Open();
  platform::testing::ShowAndWait(d().hWnd());
  d().lstDates.SetFocus();
  vb::DoEvents();
  EXPECT_EQ(d().lstDates.ListIndex(), -1);
  EXPECT_EQ(d().lstDates.Text(), u"");
  AnswerBox(vb::vbOK);
  d().cmdInsert.Value(true);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Выберите необходимый формат!"});
  EXPECT_EQ(editor().Text(), u"Сегодня: ??? и всё");
  // A row the user picks is chosen.
  d().lstDates.ListIndex(1);
  EXPECT_EQ(d().lstDates.Text(), u"09:07:03");
}

TEST_F(TimeAndDate, SeparatorsMonthNamesAndTheHourFollowTheSystem) {
  vb::DateConventions other;
  other.dateSeparator = u"/";
  other.timeSeparator = u".";
  other.monthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                      u"July",    u"August",   u"September", u"October", u"November", u"December"};
  conventions = other;
  SetClock({2009, 12, 31, 23, 59, 58});
  d().Load();
  const std::vector<std::u16string> rows = Rows();
  EXPECT_EQ(rows[1], u"23.59.58");  // 24-hour clock, the system's time separator
  EXPECT_EQ(rows[4], u"31/12/09 23.59.58");
  EXPECT_EQ(rows[13], u"31 December 2009 23.59.58");
}

// Each row reads the clock once: a row never joins the date of one day to the time of the next.
TEST_F(TimeAndDate, ARowTakesItsDateAndTimeFromOneInstantAcrossMidnight) {
  int calls = 0;
  clock = [&calls] {
    const int second = 55 + calls++;  // each reading one second later
    return second < 60 ? vb::DateTime{2026, 12, 31, 23, 59, second} : vb::DateTime{2027, 1, 1, 0, 0, second - 60};
  };
  d().Load();
  EXPECT_EQ(calls, 14);
  const std::vector<std::u16string> rows = Rows();
  EXPECT_EQ(rows[3], u"31.12.26 23:59");
  EXPECT_EQ(rows[4], u"31.12.26 23:59:59");
  EXPECT_EQ(rows[5], u"01.01.2027");
  EXPECT_EQ(rows[7], u"01.01.2027 00:00:02");
}

TEST_F(TimeAndDate, InsertPutsTheTimeOfTheOpeningInPlaceOfTheSelectionAndCloses) {
  EditorWithSelection();
  Open();
  SetClock({2026, 3, 5, 18, 30, 0});  // the clock moves on while the window stands open
  d().lstDates.ListIndex(7);
  w().DocumentModified = false;
  d().cmdInsert.Value(true);
  EXPECT_EQ(editor().Text(), u"Сегодня: 05.03.2026 09:07:03 и всё");
  EXPECT_EQ(editor().SelStart(), 28);
  EXPECT_FALSE(d().IsLoaded());
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(TimeAndDate, AutoUpdateInsertsTheTimeOfTheClickInTheSameRow) {
  EditorWithSelection();
  Open();
  d().chkAutoUpdate.Value(vb::vbChecked);
  d().lstDates.ListIndex(12);
  SetClock({2026, 3, 6, 18, 30, 0});
  d().cmdInsert.Value(true);
  EXPECT_EQ(editor().Text(), u"Сегодня: 06 марта 2026 18:30 и всё");
  EXPECT_FALSE(d().IsLoaded());
}

TEST_F(TimeAndDate, NoChosenRowAsksForOneAndKeepsTheWindow) {
  EditorWithSelection();
  Open();
  AnswerBox(vb::vbOK);
  d().cmdInsert.Value(true);
  // With auto-update the list is rebuilt from the clock and still has no chosen row.
  d().chkAutoUpdate.Value(vb::vbChecked);
  SetClock({2026, 3, 6, 18, 30, 0});
  AnswerBox(vb::vbOK);
  d().cmdInsert.Value(true);
  EXPECT_EQ(Prompts(), (std::vector<std::u16string>(2, u"Выберите необходимый формат!")));
  EXPECT_EQ(platform::script::Log().back().title, core::kProgramTitle);
  EXPECT_TRUE(d().Visible());
  EXPECT_EQ(d().lstDates.ListIndex(), -1);
  EXPECT_EQ(d().lstDates.List(0), u"18:30");
  EXPECT_EQ(editor().Text(), u"Сегодня: ??? и всё");
}

TEST_F(TimeAndDate, EnterInTheListInsertsTheChosenRowAndEscClosesTheWindow) {
  editor().Text(u"Начало");
  editor().SelStart(6);
  Open();
  d().lstDates.ListIndex(1);
  platform::testing::KeyClick(d().lstDates.hWnd(), win::VK_RETURN);
  EXPECT_EQ(editor().Text(), u"Начало09:07:03");
  EXPECT_FALSE(d().IsLoaded());
  Open();
  d().lstDates.ListIndex(1);
  platform::testing::KeyClick(d().lstDates.hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_FALSE(d().IsLoaded());
  EXPECT_EQ(editor().Text(), u"Начало09:07:03");
}

TEST_F(TimeAndDate, DoubleClickInsertsAtOnceAndCloseInsertsNothing) {
  editor().Text(u"Начало");
  editor().SelStart(6);
  Open();
  d().lstDates.ListIndex(0);
  d().lstDates.DblClick();
  EXPECT_EQ(editor().Text(), u"Начало09:07");
  EXPECT_FALSE(d().IsLoaded());

  // A new opening reads the clock again.
  SetClock({2026, 3, 5, 10, 0, 0});
  Open();
  EXPECT_EQ(d().lstDates.List(0), u"10:00");
  d().lstDates.ListIndex(0);
  d().cmdClose.Value(true);
  EXPECT_FALSE(d().IsLoaded());
  EXPECT_EQ(editor().Text(), u"Начало09:07");
}

}  // namespace
