// The page "Печать": the printer, its orientation, quality and colour, paper, copies and margins.
#include "preferences/forms/program_picture.h"
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kButtonHeight;
using settings_layout::kCheckHeight;
using settings_layout::kLabelHeight;
using settings_layout::Place;

void frmSettings::DesignPrint() {
  Place(Frame8, 0, 0, 8100, 1700, u"Установленные принтеры:");
  lstPrinters.Move(240, 300, 5100, 1000);
  imgDefaultPrinter.Move(240, 1360, 240, 240);
  imgDefaultPrinter.Picture(ProgramPicture(u"Data\\icons\\menu\\Print.ico"));
  Place(lblDefaultPrinter, 540, 1360, 3900, kLabelHeight, u"Принтер по умолчанию:");
  Place(cmdPrintersAndFaxs, 5520, 300, 2340, kButtonHeight, u"Принтеры и факсы");
  Place(cmdPrinterSetup, 5520, 780, 2340, kButtonHeight, u"Установка принтера");

  Place(FrameOrientation, 0, 1780, 2300, 1000, u"Ориентация:");
  Picture2.Move(120, 240, 2060, 700);
  Place(optPortrait, 120, 40, 1900, kCheckHeight, u"Книжная");
  Place(optLandscape, 120, 360, 1900, kCheckHeight, u"Альбомная");
  Place(FramePrintQuality, 2900, 1780, 2300, 1450, u"Качество:");
  Picture3.Move(120, 240, 2060, 1150);
  Place(optQDraft, 120, 40, 1900, kCheckHeight, u"Черновое");
  Place(optQLow, 120, 320, 1900, kCheckHeight, u"Низкое");
  Place(optQMedium, 120, 600, 1900, kCheckHeight, u"Среднее");
  Place(optQHigh, 120, 880, 1900, kCheckHeight, u"Высокое");
  Place(FramePrintColor, 5800, 1780, 2300, 1000, u"Тип печати:");
  Picture1.Move(120, 240, 2060, 700);
  Place(optCMColor, 120, 40, 1900, kCheckHeight, u"Цветная");
  Place(optCMMonochrome, 120, 360, 1900, kCheckHeight, u"Монохромная");

  Place(Frame5, 0, 3300, 3990, 1300, u"Прочее:");
  Place(lblPaperSize, 120, 340, 1560, kLabelHeight, u"Размер бумаги:");
  cmbPaperSize.Move(1720, 300, 2140, kBoxHeight);
  Place(Label5, 120, 780, 1860, kLabelHeight, u"Количество копий:");
  txtCopies.Move(2000, 740, 560, kBoxHeight);
  Place(Label8, 2640, 780, 1100, kLabelHeight, u"от 1 до 99");

  Place(Frame6, 4110, 3300, 3990, 1300, u"Поля:");
  Place(Label1, 120, 340, 800, kLabelHeight, u"Левое:");
  txtLeft.Move(920, 300, 560, kBoxHeight);
  Place(Label2, 120, 780, 800, kLabelHeight, u"Правое:");
  txtWidth.Move(920, 740, 560, kBoxHeight);
  Place(Label3, 1840, 340, 900, kLabelHeight, u"Верхнее:");
  txtTop.Move(2740, 300, 460, kBoxHeight);
  Place(Label4, 1840, 780, 900, kLabelHeight, u"Нижнее:");
  txtHeight.Move(2740, 740, 460, kBoxHeight);
  const float mmLeft[4] = {1520, 1520, 3240, 3240};
  const float mmTop[4] = {340, 780, 340, 780};
  for (int i = 0; i < 4; ++i) Place(lblMilimetres[i], mmLeft[i], mmTop[i], 280, kLabelHeight, u"мм");
}
