// The Format menu's indent and case commands.
#include <algorithm>

#include "mainwindow/forms/main.h"
#include "platform/vb/strings.h"

namespace {
constexpr double kIndentStep = 13;  // millimetres
}

// The indent is measured in millimetres while it changes; it stops at 0 going out.
void frmMain::ChangeIndent(double millimetres) {
  vb::RichTextBox& editor = *RichTextBox;
  editor.ScaleMode = vb::vbMillimeters;
  editor.SelIndent(std::max(0.0, editor.SelIndent() + millimetres));
  editor.ScaleMode = vb::vbTwips;
}

void frmMain::CmdFormatIndent() { ChangeIndent(kIndentStep); }
void frmMain::CmdFormatOutdent() { ChangeIndent(-kIndentStep); }

namespace {

void ChangeSelectionCase(vb::RichTextBox& editor, int conversion) {
  if (editor.SelLength() == 0) return;
  editor.SelText(vb::StrConv(editor.SelText(), conversion));
}

// Case mapping keeps every CR LF, so the text goes back without another pass over its lines; a
// text already in that case is left alone by the editor itself (no change, no step of the history).
void ChangeTextCase(vb::RichTextBox& editor, int conversion) {
  editor.TakeText(vb::StrConv(editor.Text(), conversion));
}

}  // namespace

void frmMain::CmdFormatSelTextLower() { ChangeSelectionCase(*RichTextBox, vb::vbLowerCase); }
void frmMain::CmdFormatSelTextUpper() { ChangeSelectionCase(*RichTextBox, vb::vbUpperCase); }
void frmMain::CmdFormatAllTextLower() { ChangeTextCase(*RichTextBox, vb::vbLowerCase); }
void frmMain::CmdFormatAllTextUpper() { ChangeTextCase(*RichTextBox, vb::vbUpperCase); }
