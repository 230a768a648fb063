// The conversion dialog (its target-row rule and its conversion) and the progress window (its path,
// its Cancel and close box, Stop while a run shows it).
#include "main_window_support.h"
#include "platform/testing/win.h"
#include "platform/vb/screen.h"

using namespace qmtest;
using platform::script::Kind;

namespace {

const std::u16string kText = u"Мягкие французские булки";

class ConversionDialogs : public MainWindowTest {
 protected:
  void TickDialog() { platform::testing::FireTimer(DecodeDialog().TimerDecode.hWnd(), 1); }
  std::vector<bool> TargetsEnabled() {
    std::vector<bool> out;
    for (vb::OptionButton* o : DecodeDialog().TargetRow()) out.push_back(o->Enabled());
    return out;
  }
};

TEST_F(ConversionDialogs, TargetOfTheSourcePageIsDisabledAndStaysSelected) {
  w();
  frmDecode& d = DecodeDialog();
  d.Load();
  TickDialog();
  EXPECT_TRUE(d.OptionDOS1.Value());
  EXPECT_TRUE(d.OptionWIN2.Value());
  EXPECT_EQ(TargetsEnabled(), (std::vector<bool>{false, true, true, true, true}));
  d.OptionKOI1.Value(true);  // the click's own rule, no tick needed
  EXPECT_EQ(TargetsEnabled(), (std::vector<bool>{true, true, false, true, true}));
  d.OptionISO2.Value(true);
  d.OptionISO1.Value(true);
  EXPECT_TRUE(d.OptionISO2.Value());
  EXPECT_FALSE(d.OptionISO2.Enabled());
  // The same page on both sides: the button hides the dialog and converts nothing.
  editor().Text(kText);
  d.cmdDecode.Value(true);
  EXPECT_FALSE(d.Visible());
  EXPECT_EQ(editor().Text(), kText);
  EXPECT_FALSE(modDecode::DocumentDecoded);
}

TEST_F(ConversionDialogs, ConvertsTheChosenPairAndKeepsTheChoiceUntilCancelled) {
  editor().Text(kText);
  frmDecode& d = DecodeDialog();
  d.Load();
  d.OptionMAC2.Value(true);
  platform::testing::PostClick(d.cmdDecode.hWnd(), 3, 3);
  w().CmdDecodeDialog();  // modal until the button hides it
  EXPECT_EQ(w().Combo1.ListIndex(), 0);
  EXPECT_EQ(w().Combo2.ListIndex(), 4);
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 1, 5));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_TRUE(d.OptionMAC2.Value());  // hidden, not unloaded: the choice stays

  d.cmdCancel.Value(true);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_TRUE(d.OptionWIN2.Value());  // loaded again in its design state
}

TEST_F(ConversionDialogs, ProgressWindowShowsThePathReadAtItsLoad) {
  editor().Text(kText);
  w().ConvertDirection(0);
  EXPECT_EQ(DecodingWindow().txtPath.Text(), u"Документ не сохранен");
  EXPECT_EQ(DecodingWindow().lblCode.Caption(), u"DOS 866 -> Windows 1251");
  EXPECT_FALSE(DecodingWindow().Visible());
  w().CommonDialog.FileName = u"/tmp/letter.txt";
  w().ConvertDirection(1);
  EXPECT_EQ(DecodingWindow().txtPath.Text(), u"Документ не сохранен");  // still loaded from before
  DecodingWindow().Unload();
  w().ConvertDirection(2);
  EXPECT_EQ(DecodingWindow().txtPath.Text(), u"/tmp/letter.txt");
}

TEST_F(ConversionDialogs, CancelAndTheCloseBoxAskAndYesLeavesTheTextWithTheWindowGone) {
  editor().Text(kText);
  frmDecoding& p = DecodingWindow();
  p.Load();
  platform::testing::PostClick(p.cmdCancel.hWnd(), 3, 3);
  AnswerBox(vb::vbYes);
  w().ConvertDirection(0);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Вы действительно хотите отменить перекодирование?"});
  EXPECT_EQ(editor().Text(), kText);
  EXPECT_FALSE(p.IsLoaded());
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_FALSE(modDecode::DecodeCancelled);  // the run took the request

  // The close box: No keeps the window and the run; Yes ends both.
  p.Load();
  AnswerBox(vb::vbNo);
  platform::testing::CloseByUser(p.hWnd());
  EXPECT_TRUE(p.IsLoaded());
  EXPECT_FALSE(modDecode::DecodeCancelled);
  AnswerBox(vb::vbYes);
  platform::testing::CloseByUser(p.hWnd());
  EXPECT_FALSE(p.IsLoaded());
  EXPECT_TRUE(modDecode::DecodeCancelled);
}

TEST_F(ConversionDialogs, StopDuringARunUnloadsTheWindowWithoutAQuestion) {
  editor().Text(std::u16string(2000, u'ж'));
  frmDecoding& p = DecodingWindow();
  p.Load();
  // A button of another window stands for the toolbar's Stop: its click arrives while the bar lets
  // events run.
  struct StopWindow : vb::Form {
    vb::CommandButton Stop{*this};
  } other;
  int stops = 0;
  other.Stop.Click = [&] {
    ++stops;
    mainwindow::RouteButtonClick(u"TOOLBAR2:STOP", w());
  };
  other.Load();
  platform::testing::PostClick(other.Stop.hWnd(), 3, 3);
  w().ConvertDirection(0);
  EXPECT_EQ(stops, 1);
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(editor().Text(), std::u16string(2000, u'ж'));
  EXPECT_FALSE(p.IsLoaded());
  other.Terminate();
}

}  // namespace

// Both windows come up in the middle of the screen, where the main window starts, not in a corner.
TEST_F(ConversionDialogs, BothWindowsOpenInTheMiddleOfTheScreen) {
  editor().Text(kText);
  w().ConvertDirection(0);
  for (vb::Form* f : {static_cast<vb::Form*>(&DecodingWindow()), static_cast<vb::Form*>(&DecodeDialog())}) {
    f->Load();
    EXPECT_NEAR(f->Left() + f->Width() / 2, vb::Screen.Width() / 2, 15) << vb::ToUtf8(f->Caption());
    EXPECT_NEAR(f->Top() + f->Height() / 2, vb::Screen.Height() / 2, 15) << vb::ToUtf8(f->Caption());
    f->Unload();
  }
}
