// The find window and the main window's Find and Find Next: the search states carried by the
// button's caption, the options, the end of the text, and the refusal of an empty search text.
#include "find_windows_support.h"
#include "platform/testing/win.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

using namespace qmtest;

namespace {

class FindWindowTest : public FindWindowsTest {
 protected:
  frmFind& f() { return FindWindow(); }
  void Press() { f().cmdFind.Value(true); }
};

TEST_F(FindWindowTest, OpensOnTheSelectionWithBothOptionsOff) {
  Document(u"Мама мыла раму");
  Select(5, 4);
  w().CmdFindFind();
  ASSERT_TRUE(f().Visible());
  EXPECT_EQ(f().Caption(), u"Найти");
  EXPECT_EQ(f().cboFind.Text(), u"мыла");
  EXPECT_EQ(f().cboFind.ListCount(), 1);
  EXPECT_EQ(f().chkWholeWord.Value(), vb::vbUnchecked);
  EXPECT_EQ(f().chkMatchCase.Value(), vb::vbUnchecked);
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти");
  EXPECT_TRUE(f().cmdFind.Default());
  // Closed and opened again: loaded afresh on the selection of that moment.
  f().chkMatchCase.Value(vb::vbChecked);
  f().cmdCancel.Value(true);
  EXPECT_FALSE(f().IsLoaded());
  Select(0, 0);
  w().CmdFindFind();
  EXPECT_EQ(f().cboFind.Text(), u"");
  EXPECT_EQ(f().chkMatchCase.Value(), vb::vbUnchecked);
}

TEST_F(FindWindowTest, EscInTheSearchBoxClosesTheFindAndTheReplaceWindow) {
  Document(u"Мама мыла раму");
  w().CmdFindFind();
  platform::testing::KeyClick(f().cboFind.hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_FALSE(f().IsLoaded());
  w().CmdFindReplace();
  platform::testing::KeyClick(ReplaceWindow().cboReplace.hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_FALSE(ReplaceWindow().IsLoaded());
  EXPECT_EQ(editor().Text(), u"Мама мыла раму");
}

// Tab goes through each window's controls in the order they stand: the boxes, the options, then the
// buttons from the top, and round again (the replace buttons enabled, so that they are stops too).
TEST_F(FindWindowTest, TabGoesThroughTheControlsInTheOrderTheyStand) {
  Document(u"один два три");
  w().Show();
  platform::testing::ShowAndWait(w().hWnd());
  // The control the keyboard is in (a combo box's edit field counts as the box).
  const auto focused = [](std::initializer_list<vb::Control*> controls) -> vb::Control* {
    const win::HWND focus = win::GetFocus();
    for (vb::Control* c : controls)
      if (c->hWnd() == focus || c->hWnd() == win::GetParent(focus)) return c;
    return nullptr;
  };
  const auto round = [&](vb::Form& window, std::initializer_list<vb::Control*> order) {
    platform::testing::ShowAndWait(window.hWnd());
    (*order.begin())->SetFocus();
    vb::DoEvents();
    std::vector<vb::Control*> stops{focused(order)};
    for (std::size_t i = 0; i < order.size(); ++i) {
      platform::testing::KeyClick(win::GetFocus(), win::VK_TAB);
      vb::DoEvents();
      stops.push_back(focused(order));
    }
    std::vector<vb::Control*> expected(order);
    expected.push_back(*order.begin());
    EXPECT_EQ(stops, expected) << vb::ToUtf8(window.Caption());
  };
  w().CmdFindFind();
  round(f(), {&f().cboFind, &f().chkWholeWord, &f().chkMatchCase, &f().cmdFind, &f().cmdCancel});
  f().Unload();
  frmReplace& r = ReplaceWindow();
  w().CmdFindReplace();
  r.cmdReplace.Enabled(true);
  r.cmdReplaceAll.Enabled(true);
  round(r, {&r.cboFind, &r.cboReplace, &r.chkWholeWord, &r.chkMatchCase, &r.cmdFind, &r.cmdReplace,
            &r.cmdReplaceAll, &r.cmdCancel});
}

// Enter in the search box finds the word, and the next letter typed replaces it in the editor.
TEST_F(FindWindowTest, AMatchGivesTheKeyboardToTheMainWindowsEditor) {
  Document(u"один два три");
  w().Show();
  platform::testing::ShowAndWait(w().hWnd());
  w().CmdFindFind();
  platform::testing::ShowAndWait(f().hWnd());
  f().cboFind.SetFocus();
  vb::DoEvents();
  ASSERT_EQ(win::GetActiveWindow(), f().hWnd());
  f().cboFind.Text(u"два");
  platform::testing::KeyClick(f().cboFind.hWnd(), win::VK_RETURN);
  vb::DoEvents();
  EXPECT_EQ(Selection(), u"два");
  EXPECT_EQ(win::GetActiveWindow(), w().hWnd());
  EXPECT_EQ(win::GetFocus(), editor().hWnd());
  platform::testing::KeyClick(win::GetFocus(), 'X', 0, u"ж");
  EXPECT_EQ(editor().Text(), u"один ж три");
  EXPECT_EQ(f().cboFind.Text(), u"два");
}

TEST_F(FindWindowTest, AnEmptyDocumentOpensNothing) {
  AnswerBox(vb::vbOK);
  w().CmdFindFind();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Документ не содержит текста!"});
  EXPECT_FALSE(f().IsLoaded());
}

// Whole words: "abc" stands alone once; the search ends there, and starts again from the beginning.
TEST_F(FindWindowTest, SearchStatesWithWholeWords) {
  Document(u"abc abcabc");
  w().CmdFindFind();
  f().cboFind.Text(u"abc");
  f().chkWholeWord.Value(vb::vbChecked);
  Press();
  EXPECT_EQ(editor().SelStart(), 0);
  EXPECT_EQ(editor().SelLength(), 3);
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти далее");
  EXPECT_TRUE(FindNextEnabled());
  AnswerBox(vb::vbOK);
  Press();
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен!");
  EXPECT_EQ(LastBox().flags, vb::vbInformation);
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти");
  EXPECT_FALSE(FindNextEnabled());
  EXPECT_EQ(editor().SelStart(), 0);  // the selection stays on the last match
  Press();
  EXPECT_EQ(editor().SelStart(), 0);
  EXPECT_EQ(editor().SelLength(), 3);
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти далее");
  EXPECT_EQ(Prompts().size(), 1u);
}

TEST_F(FindWindowTest, WithoutWholeWordsEveryOccurrenceAndCaseOnlyWhenAsked) {
  Document(u"Слово слово СЛОВОслово");
  w().CmdFindFind();
  f().cboFind.Text(u"слово");
  std::vector<std::int32_t> found;
  for (int i = 0; i < 4; ++i) {
    Press();
    found.push_back(editor().SelStart());
  }
  EXPECT_EQ(found, (std::vector<std::int32_t>{0, 6, 12, 17}));
  AnswerBox(vb::vbOK);
  Press();  // the end
  f().chkMatchCase.Value(vb::vbChecked);
  Press();
  EXPECT_EQ(editor().SelStart(), 6);
  Press();
  EXPECT_EQ(editor().SelStart(), 17);
  EXPECT_EQ(Selection(), u"слово");
}

// Going on starts at the end of the user's own selection, not at the last match.
TEST_F(FindWindowTest, GoingOnStartsAtTheUsersSelection) {
  Document(u"да нет да нет да");
  w().CmdFindFind();
  f().cboFind.Text(u"да");
  Press();
  ASSERT_EQ(editor().SelStart(), 0);
  Select(7, 5);  // "да не"
  Press();
  EXPECT_EQ(editor().SelStart(), 14);
}

TEST_F(FindWindowTest, AnEmptySearchTextIsRefused) {
  Document(u"текст");
  w().CmdFindFind();
  f().cboFind.Text(u"");
  Select(1, 2);
  AnswerBox(vb::vbOK);
  Press();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Не задан текст для поиска!"});
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти");
  EXPECT_EQ(editor().SelStart(), 1);
  EXPECT_EQ(editor().SelLength(), 2);
}

// Find Next reads the find window's text and options; with the window never opened, it is loaded
// unseen on the selection of that moment.
TEST_F(FindWindowTest, FindNextGoesOnAndResetsTheWindowAtTheEnd) {
  Document(u"кот и кот и кот");
  Select(0, 3);
  w().CmdFindNext();
  EXPECT_TRUE(f().IsLoaded());
  EXPECT_FALSE(f().Visible());
  EXPECT_EQ(f().cboFind.Text(), u"кот");
  EXPECT_EQ(editor().SelStart(), 6);
  w().CmdFindNext();
  EXPECT_EQ(editor().SelStart(), 12);
  f().cmdFind.Caption(u"Найти далее");
  AnswerBox(vb::vbOK);
  w().CmdFindNext();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Текст не найден!"});
  EXPECT_EQ(f().cmdFind.Caption(), u"Найти");
  EXPECT_FALSE(FindNextEnabled());
  EXPECT_EQ(editor().SelStart(), 12);
}

TEST_F(FindWindowTest, FindNextHonoursTheOptionsAndRefusesAnEmptyText) {
  Document(u"Кот кот котик КОТ");
  w().CmdFindFind();
  f().cboFind.Text(u"КОТ");
  f().chkMatchCase.Value(vb::vbChecked);
  w().CmdFindNext();
  EXPECT_EQ(editor().SelStart(), 14);
  f().chkMatchCase.Value(vb::vbUnchecked);
  f().chkWholeWord.Value(vb::vbChecked);
  f().cboFind.Text(u"кот");
  Select(0, 0);
  w().CmdFindNext();
  EXPECT_EQ(editor().SelStart(), 0);
  w().CmdFindNext();
  EXPECT_EQ(editor().SelStart(), 4);
  w().CmdFindNext();
  EXPECT_EQ(editor().SelStart(), 14);  // not inside "котик"
  f().cboFind.Text(u"");
  AnswerBox(vb::vbOK);
  w().CmdFindNext();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Не задан текст для поиска!"});
  EXPECT_EQ(editor().SelStart(), 14);
}

// Each of the three windows opens centred over the main window wherever that stands, and in the
// top layer exactly when the preference says so.
TEST_F(FindWindowTest, TheSearchWindowsOpenCentredOverTheMainWindowAndOnTopAsStored) {
  Document(u"текст");
  w().Show();
  w().Move(300, 450, 7000, 5000);
  const auto topmost = [](vb::Form& f) {
    return (win::GetWindowLongA(f.hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0;
  };
  for (const char16_t* top : {u"1", u"0"}) {
    SetPref(settings::preferences::kTopMost, top);
    w().CmdFindFind();
    w().CmdFindReplace();
    w().CmdFindGoTo();
    for (vb::Form* f : {static_cast<vb::Form*>(&FindWindow()), static_cast<vb::Form*>(&ReplaceWindow()),
                        static_cast<vb::Form*>(&GoToWindow())}) {
      const std::string name = vb::ToUtf8(f->Caption()) + " TopMost " + vb::ToUtf8(top);
      EXPECT_NEAR(f->Left() + f->Width() / 2, w().Left() + w().Width() / 2, 15) << name;
      EXPECT_NEAR(f->Top() + f->Height() / 2, w().Top() + w().Height() / 2, 15) << name;
      EXPECT_EQ(topmost(*f), top == std::u16string_view(u"1")) << name;
      f->Unload();
    }
    w().Move(2400, 1500);
  }
}

}  // namespace
