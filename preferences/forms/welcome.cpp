#include "preferences/forms/welcome.h"

#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "preferences/forms/start_header.h"

frmWelcome::frmWelcome() {
  cmdContinue.Click = [this] { cmdContinue_Click(); };
  chrome::AddButtonSounds(cmdContinue);
}

void frmWelcome::Design() {
  Caption(u"Brannoch Quillmark 3.0 - Приветствие...");
  BorderStyle(vb::vbFixedDouble);
  constexpr float width = 6900;
  constexpr float height = 4500;
  mainwindow::CentreOnScreen(*this, width, height);
  DesignStartHeader(picTop, lblTitle, picLineTop, width, u"Добро пожаловать");
  lblWelcome.Move(240, 900, width - 480, 2280);
  lblWelcome.WordWrap(true);
  lblWelcome.Caption(
      u"Добро Пожаловать в программу Brannoch Quillmark. Эта программа предназначена для перекодирования текста "
      u"(текстовых файлов). Программа поддерживает пять различных кодировок DOS 866, WINDOWS 1251, ISO 8859-5, "
      u"UNIX KOI-8, MAC Apple. Программа также может быть использована для восстановления русских текстов, "
      u"испорченных в процессе передачи по электроной почте, а также для перекодирования собственных текстов. "
      u"Кроме того при помощи данного конвертера можно как создавать новые, так и редактировать уже созданные "
      u"текстовые документы. Имеется возможность внедрять данные из других документов в документ программы.");
  picLine.Move(0, 3300, width, 30);
  picLine.BorderStyle(1);
  chkDoNotShowThisDialog.Move(240, 3480, 4200, 315);
  chkDoNotShowThisDialog.Caption(u"Не показывать больше это сообщение");
  chkDoNotShowThisDialog.Value(0);
  cmdContinue.Move(width - 1800, 3450, 1455, 375);
  cmdContinue.Caption(u"Продолжить");
  cmdContinue.Default(true);
}

void frmWelcome::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

void frmWelcome::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmWelcome::cmdContinue_Click() {
  if (chkDoNotShowThisDialog.Value() == 1) {
    modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWelcome, 0);
  }
  Unload();
  if (modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWorkBegin) ==
      1) {
    modMain::StartWindows().ShowWorkBegin();
  } else {
    modMain::StartWindows().ShowMain();
  }
}
