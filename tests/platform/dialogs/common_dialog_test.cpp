#include "platform/dialogs/common_dialog.h"

#include <gtest/gtest.h>

#include "platform/script/script.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"
#include "support.h"
#include "support_script.h"

namespace {

using platform::script::Kind;
using qmtest::U8;

class CommonDialogTest : public qmtest::ScriptedDialogs {};

TEST_F(CommonDialogTest, OpenGivesPathAndTitleAndShowsTheCallersTexts) {
  vb::CommonDialog dlg;
  dlg.Filter = u"Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*|";
  dlg.DialogTitle = u"Открытие документа";
  Answer(Kind::OpenFile, 1, u"C:\\Texts\\a.txt");
  dlg.ShowOpen();
  EXPECT_EQ(U8(dlg.FileName), "C:/Texts/a.txt");
  EXPECT_EQ(U8(dlg.FileTitle), "a.txt");
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_EQ(U8(platform::script::Log()[0].title), "Открытие документа");
  EXPECT_EQ(platform::script::Log()[0].prompt, dlg.Filter);
}

TEST_F(CommonDialogTest, CancelEmptiesTheFileNameAndRaisesOnlyWhenAsked) {
  vb::CommonDialog dlg;
  dlg.FileName = u"/docs/kept.txt";
  Answer(Kind::OpenFile, 0);
  dlg.ShowOpen();
  EXPECT_EQ(dlg.FileName, u"");
  EXPECT_EQ(dlg.FileTitle, u"");

  dlg.CancelError = true;
  Answer(Kind::SaveFile, 0);
  try {
    dlg.ShowSave();
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, vb::cdlCancel);
  }
  Answer(Kind::Color, 0);
  EXPECT_THROW(dlg.ShowColor(), vb::Error);
}

TEST_F(CommonDialogTest, SaveAppendsTheDefaultExtensionToANameWithout) {
  vb::CommonDialog dlg;
  dlg.DefaultExt = u"*.txt|*.*";
  Answer(Kind::SaveFile, 1, u"/docs/письмо");
  dlg.ShowSave();
  EXPECT_EQ(U8(dlg.FileName), "/docs/письмо.txt");
  EXPECT_EQ(U8(dlg.FileTitle), "письмо.txt");
  Answer(Kind::SaveFile, 1, u"/docs/a.log");
  dlg.ShowSave();
  EXPECT_EQ(U8(dlg.FileName), "/docs/a.log");
  dlg.DefaultExt = u"*.*";  // wildcards give no extension
  Answer(Kind::SaveFile, 1, u"/docs/b");
  dlg.ShowSave();
  EXPECT_EQ(U8(dlg.FileName), "/docs/b");
}

TEST_F(CommonDialogTest, ColorFontAndPrinterResults) {
  vb::CommonDialog dlg;
  Answer(Kind::Color, 1, u"16711935");  // &HFF00FF
  dlg.ShowColor();
  EXPECT_EQ(dlg.Color, 0xFF00FF);
  Answer(Kind::Font, 1, u"DejaVu Sans|14");
  dlg.ShowFont();
  EXPECT_EQ(U8(dlg.FontName), "DejaVu Sans");
  EXPECT_EQ(dlg.FontSize, 14);
  Answer(Kind::Printer, 1, u"pdf");
  dlg.ShowPrinter();
  EXPECT_EQ(vb::Printer.DeviceName(), u"PDF");
}

}  // namespace
