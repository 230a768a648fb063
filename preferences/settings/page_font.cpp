// The page "Шрифт": the editor's font and the sample text shown in it.
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kLabelHeight;
using settings_layout::Place;

void frmSettings::DesignFont() {
  Place(Frame2[1], 0, 0, 8100, 1100, u"Шрифт документа:");
  Place(Label6, 240, 320, 900, kLabelHeight, u"Имя:");
  cboFontName.Move(240, 600, 4200, kBoxHeight);
  cboFontName.Sorted(true);
  Place(Label7, 4700, 320, 900, kLabelHeight, u"Размер:");
  cboFontSize.Move(4700, 600, 1200, kBoxHeight);
  Place(Frame7, 0, 1180, 8100, 1000, u"Текст:");
  Place(Label9, 240, 300, 3000, kLabelHeight, u"Введите текст:");
  txtExample.Move(240, 580, 7600, kBoxHeight);
  Place(Frame9, 0, 2260, 8100, 2000, u"Образец:");
  Place(lblExample, 240, 300, 7600, 1580, u"Образец текста");
}
