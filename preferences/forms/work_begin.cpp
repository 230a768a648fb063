#include "preferences/forms/work_begin.h"

#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "preferences/forms/start_header.h"

frmWorkBegin::frmWorkBegin() {
  optCreateNewDocument.Click = [this] {
    if (optCreateNewDocument.Value()) modMain::OpenDocumentAtStart = false;
  };
  optOpenDocument.Click = [this] {
    if (optOpenDocument.Value()) modMain::OpenDocumentAtStart = true;
  };
  cmdOK.Click = [this] { Finish(); };
  cmdClose.Click = [this] { Finish(); };
  chrome::AddButtonSounds(cmdOK);
  chrome::AddButtonSounds(cmdClose);
}

void frmWorkBegin::Design() {
  Caption(u"Brannoch Quillmark 3.0 - Приступая к работе...");
  BorderStyle(vb::vbFixedDouble);
  constexpr float width = 7500;
  constexpr float height = 5400;
  mainwindow::CentreOnScreen(*this, width, height);
  DesignStartHeader(picTop, lblTitle, picLineTop, width, u"Приступая к работе");
  Label4.Move(240, 900, width - 480, 870);
  Label4.WordWrap(true);
  Label4.Caption(
      u"Пожалуйста выберите действие, которое выполнит программа сразу же после запуска и нажмите 'Ok'. Чтобы "
      u"закрыть это окно без выполнения каких-либо действий и запустить программу нажмите 'Закрыть'.");
  Frame1.Move(240, 1860, width - 480, 2160);
  Frame1.Caption(u"Что вы хотите сделать:");
  optCreateNewDocument.Move(240, 330, 4800, 315);
  optCreateNewDocument.Caption(u"Создать новый документ");
  optCreateNewDocument.FontBold(true);
  Label1.Move(540, 660, width - 1320, 315);
  Label1.Caption(u"Запустить программу и создать новый документ.");
  optOpenDocument.Move(240, 1140, 4800, 315);
  optOpenDocument.Caption(u"Открыть документ");
  optOpenDocument.FontBold(true);
  Label3.Move(540, 1470, width - 1320, 555);
  Label3.WordWrap(true);
  Label3.Caption(u"Запустить программу и открыть существующий документ на диске.");
  picLine.Move(0, 4170, width, 30);
  picLine.BorderStyle(1);
  chkDoNotShowThisDialog.Move(240, 4380, 4020, 315);
  chkDoNotShowThisDialog.Caption(u"Не показывать больше это сообщение");
  chkDoNotShowThisDialog.Value(0);
  cmdOK.Move(width - 3000, 4350, 1215, 375);
  cmdOK.Caption(u"Ok");
  cmdOK.Default(true);
  cmdClose.Move(width - 1620, 4350, 1215, 375);
  cmdClose.Caption(u"Закрыть");
  cmdClose.Cancel(true);
}

void frmWorkBegin::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  optCreateNewDocument.Value(true);
  modMain::OpenDocumentAtStart = false;
}

void frmWorkBegin::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmWorkBegin::Finish() {
  if (chkDoNotShowThisDialog.Value() == 1) {
    modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWorkBegin,
                                    0);
  }
  Unload();
  modMain::StartWindows().ShowMain();
}
