// The page "Перекодирование": the default direction and the automatic conversions.
#include "preferences/forms/program_picture.h"
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kCheckHeight;
using settings_layout::Place;

void frmSettings::DesignDecode() {
  Place(Frame21, 0, 0, 8100, 1500, u"Кодировка по умолчанию:");
  Place(Label11, 240, 300, 7600, 480,
        u"Выберите кодировку, которая будет использоваться как основная для всех процессов перекодирования:");
  Label11.WordWrap(true);
  Image1.Move(240, 900, 240, 240);
  Image1.Picture(ProgramPicture(u"Data\\icons\\menu\\Decoding.ico"));
  cmbCode.Move(600, 860, 4000, kBoxHeight);
  Place(Frame10, 0, 1580, 8100, 1300, u"Автоматизация:");
  Place(chkStartAtImport, 240, 300, 7600, kCheckHeight, u"Перекодировать файлы при импорте");
  Place(chkStartAtOpen, 240, 600, 7600, kCheckHeight, u"Перекодировать файлы при открытии");
  Place(chkDecodeAtCodeChange, 240, 900, 7600, kCheckHeight, u"Перекодировать при изменении кодировки");
}
