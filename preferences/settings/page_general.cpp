// The page "Общие": window, copies, exit and clipboard switches.
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kCheckHeight;
using settings_layout::Place;

void frmSettings::DesignGeneral() {
  Place(Frame1, 0, 0, 8100, 1000, u"Общие:");
  Place(chkWrap, 240, 300, 7600, kCheckHeight, u"Переносить текст по словам");
  Place(chkTopMost, 240, 600, 7600, kCheckHeight, u"Поверх всех окон");
  Place(Frame2[0], 0, 1080, 8100, 1300, u"Дополнительно:");
  Place(chkManyCopies, 240, 300, 7600, kCheckHeight, u"Разрешить запуск нескольких копий программы");
  Place(chkSaveWindowPositionAndSize, 240, 600, 7600, kCheckHeight, u"Запоминать положение на экране и размеры окна");
  Place(chkMessageOnExit, 240, 900, 7600, kCheckHeight, u"Запрашивать подтверждение при выходе из программы");
  Place(Frame20, 0, 2460, 8100, 1900, u"Работа с буфером обмена:");
  Place(chkStartAtStartup, 240, 300, 7600, kCheckHeight, u"Перекодировать буфер обмена при запуске программы");
  Place(chkDecodeClipboard, 240, 600, 7600, kCheckHeight, u"Автоматически перекодировать изменившийся буфер обмена");
  Place(chkClearClipboard, 240, 900, 7600, kCheckHeight, u"Очищать буфер обмена при выходе из программы");
  Place(chkClipboardDetect, 240, 1200, 7600, kCheckHeight, u"Следить за изменениями буфера обмена");
  Place(chkClipboardText, 240, 1500, 7600, kCheckHeight, u"Использовать режим накопления текста");
}
