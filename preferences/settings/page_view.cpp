// The page "Вид": bar style, toolbars, start-up windows and what the caption shows.
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kCheckHeight;
using settings_layout::Place;

void frmSettings::DesignView() {
  Place(Frame4, 0, 0, 3990, 1000, u"Стиль:");
  Picture6.Move(120, 240, 3300, 700);
  Place(optStyleSystem, 120, 40, 3000, kCheckHeight, u"Системный");
  Place(optStyleOfficeXP, 120, 360, 3000, kCheckHeight, u"Стиль Office XP");
  Place(Frame3, 4110, 0, 3990, 1000, u"Панели инструментов:");
  Place(chkToolBarStandart, 240, 300, 3000, kCheckHeight, u"Стандартная");
  Place(chkToolBarDecode, 240, 600, 3000, kCheckHeight, u"Перекодирование");
  Place(Frame16, 0, 1080, 8100, 1500, u"Дополнительно:");
  Place(chkShowWorkBeginDialog, 240, 300, 7600, kCheckHeight,
        u"Показывать диалог 'приступая к работе' при запуске программы");
  Place(chkShowPrintingDialog, 240, 600, 7600, kCheckHeight,
        u"Показывать диалог 'печать документа' перед процессом печати");
  Place(chkShowWelcomeDialog, 240, 900, 7600, kCheckHeight, u"Показывать диалог 'приветствие' при запуске программы");
  Place(chkShowSplash, 240, 1200, 7600, kCheckHeight, u"Показывать заставку при запуске программы");
  Place(Frame11, 0, 2660, 8100, 1300, u"Отображать в заголовке программы:");
  Picture4.Move(120, 240, 6900, 1000);
  Place(optShowNameOpenFile, 120, 40, 6000, kCheckHeight, u"Имя открытого файла");
  Place(optShowPathOpenFile, 120, 360, 6000, kCheckHeight, u"Путь к открытому файлу");
  Place(optShowNothing, 120, 680, 6000, kCheckHeight, u"Ничего не отображать");
}
