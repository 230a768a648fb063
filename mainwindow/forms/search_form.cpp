#include "mainwindow/forms/search_form.h"

#include "mainwindow/forms/search.h"
#include "mainwindow/window_chrome.h"

SearchForm::SearchForm() {
  cmdFind.Click = [this] { cmdFind_Click(); };
  cmdCancel.Click = [this] { Unload(); };
  chrome::AddButtonSounds(cmdFind);
  chrome::AddButtonSounds(cmdCancel);
}

void SearchForm::DesignShared() {
  BorderStyle(vb::vbFixedDouble);
  lblFind.Caption(u"Найти:");
  Frame2.Caption(u"Параметры:");
  chkWholeWord.Caption(u"Искать только слово целиком");
  chkMatchCase.Caption(u"С учетом регистра");
  cmdFind.Caption(search::kFresh);
  cmdFind.Default(true);
  cmdCancel.Caption(u"Отмена");
  cmdCancel.Cancel(true);
}

void SearchForm::Form_Load() { search::LoadWindow(*this, cboFind); }

void SearchForm::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }
