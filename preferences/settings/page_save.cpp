// The page "Сохранение": the documents folder, the save question and the backups.
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kCheckHeight;
using settings_layout::kLabelHeight;
using settings_layout::Place;

void frmSettings::DesignSave() {
  Place(Frame14, 0, 0, 8100, 1000, u"Папка для документов:");
  Place(Label10, 240, 440, 1440, kLabelHeight, u"Расположение:");
  txtFolderDoc.Move(1700, 400, 5620, kBoxHeight);
  Place(cmdBrowse, 7400, 400, 480, kBoxHeight, u"...");
  Place(Frame15, 0, 1080, 8100, 2000, u"Дополнительно:");
  Place(chkSaveChange, 240, 300, 7600, kCheckHeight, u"Выдавать запрос на сохранение при изменении документа");
  Place(chkCreateBackup, 240, 600, 7600, kCheckHeight, u"Создавать резервную копию файла перед сохранением");
  Picture5.Move(480, 900, 7500, 900);
  Place(optCreateBackupInOriginalFileFolder, 0, 40, 6000, kCheckHeight, u"В каталоге с оригинальным файлом");
  Place(optCreateBackupInCustomFolder, 0, 400, 1300, kCheckHeight, u"В другом:");
  txtPathBackupFolder.Move(1380, 380, 5460, kBoxHeight);
  Place(cmdBrowseBackupFolder, 6920, 380, 480, kBoxHeight, u"...");
}
