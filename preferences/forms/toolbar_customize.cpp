#include "preferences/forms/toolbar_customize.h"

#include <string>

#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/toolbar_visibility.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/msgbox.h"
#include "preferences/settings/stored_values.h"

namespace {

constexpr char16_t kSeparator[] = u"- Разделитель -";
constexpr char16_t kToolbarsTab[] = u"Панели инструментов";
constexpr char16_t kOptionsTab[] = u"Параметры";

constexpr std::u16string_view kStandardCaptions[] = {
    kSeparator, u"Создать документ", u"Открыть документ", u"Открыть документ заново", u"Сохранить документ",
    kSeparator, u"Печать документа", u"Параметры печати", u"Во весь экран",
    kSeparator, u"Вырезать", u"Копировать", u"Вставить", u"Удалить", u"Очистить",
    kSeparator, u"Отменить действие", u"Повторить действие",
    kSeparator, u"Найти", u"Заменить", u"Перейти",
    kSeparator, u"Уменьшить отступ", u"Увеличить отступ",
    kSeparator, u"Шрифт документа",
    kSeparator, u"Вставить время и дату", u"Вставить текстовый файл",
    kSeparator, u"Мастер перекодирования", u"Параметры программы", u"Блокировка программы",
    kSeparator, u"Свойства документа",
    kSeparator, u"Лицензионное соглашение", u"О программе",
    kSeparator,
};
constexpr std::u16string_view kDecodeCaptions[] = {
    kSeparator, u"Выбор кодировки", kSeparator, u"Перекодировать", u"Остановить",
    kSeparator, u"Отменить перекодирование", kSeparator,
};

// The value written for a ticked item: all bits set.
constexpr std::int32_t kShown = -1;

// One check-box list and the key its items are stored under.
struct StoredList {
  vb::ListBox& list;
  std::u16string_view key;
};

// The items ticked as the toolbar shows them.
void LoadItems(const StoredList& l) {
  const std::vector<bool> shown = modGeneral::StoredToolbarLayout(l.key, l.list.ListCount());
  for (int i = 0; i < l.list.ListCount(); ++i) {
    if (shown[static_cast<std::size_t>(i)]) l.list.Selected(i, true);
  }
}

void WriteItems(const StoredList& l) {
  for (int i = 0; i < l.list.ListCount(); ++i) {
    modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, l.key, modGeneral::ToolbarValueName(i),
                                    l.list.Selected(i) ? kShown : 0);
  }
}

// An option is ticked when its stored text is the whole number 1. The dialog itself writes only "0"
// and "1"; any other text (a third state, a word) loads unticked rather than failing.
int StoredOption(std::u16string_view name) {
  const auto text = modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name);
  return stored_values::FlagCheck(text.value_or(u""));
}

void WriteOption(std::u16string_view name, vb::CheckBox& box) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name,
                                   box.Value() == vb::vbChecked ? u"1" : u"0");
}

template <class C>
void Place(C& control, float left, float top, float width, float height, const std::u16string& caption) {
  control.Move(left, top, width, height);
  control.Caption(caption);
}

}  // namespace

frmToolBarCustomize::frmToolBarCustomize(frmMain* main) : main_(main) {
  tabCustomToolbar.TabClick = [this](std::int32_t lTab) { tabCustomToolbar_TabClick(lTab); };
  const auto enableApply = [this] { cmdApply.Enabled(true); };
  lstToolBarStandart.ItemCheck = [enableApply](int) { enableApply(); };
  lstToolBarDecode.ItemCheck = [enableApply](int) { enableApply(); };
  chkUseLargeIcons.Click = enableApply;
  chkShowToolTips.Click = enableApply;
  chkHideInfrequently.Click = enableApply;
  cmdApply.Click = [this] { cmdApply_Click(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdReset.Click = [this] { cmdReset_Click(); };
  for (vb::CommandButton* b : {&cmdOK, &cmdReset, &cmdApply}) chrome::AddButtonSounds(*b);
}

void frmToolBarCustomize::ShowOver(frmMain& main) {
  main_ = &main;
  Show(vb::vbModal, &main);
}

std::span<const std::u16string_view> frmToolBarCustomize::StandardCaptions() { return kStandardCaptions; }
std::span<const std::u16string_view> frmToolBarCustomize::DecodeCaptions() { return kDecodeCaptions; }

void frmToolBarCustomize::Design() {
  Caption(u"Настройка панелей инструментов...");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 8235, 6555);
  tabCustomToolbar.Move(120, 120, 7875, 5295);
  for (vb::PictureBox* panel : {&picToolbars, &picOptions}) {
    panel->BorderStyle(0);
    panel->Move(240, 540, 7635, 4755);
  }
  Place(Frame1, 0, 0, 3750, 4755, u"Стандартная:");
  lstToolBarStandart.Move(120, 300, 3510, 4335);
  Place(Frame2, 3885, 0, 3750, 2700, u"Перекодирование:");
  lstToolBarDecode.Move(120, 300, 3510, 2280);
  Place(Frame4, 0, 0, 7635, 735, u"Параметры меню:");
  Place(chkHideInfrequently, 240, 300, 7155, 285, u"Всегда показывать полное меню");
  Place(Frame3, 0, 855, 7635, 1035, u"Параметры панелей инструментов:");
  Place(chkShowToolTips, 240, 300, 7155, 285, u"Отображать всплывающие подсказки");
  Place(chkUseLargeIcons, 240, 600, 7155, 285, u"Использовать крупные значки");
  Place(cmdReset, 120, 5535, 1575, 375, u"По умолчанию");
  Place(cmdOK, 5340, 5535, 1275, 375, u"OK");
  Place(cmdApply, 6720, 5535, 1275, 375, u"Применить");
  cmdOK.Default(true);
}

void frmToolBarCustomize::CentreOverMainWindow() {
  if (main_ != nullptr && main_->IsLoaded()) {
    mainwindow::CentreOver(*this, *main_);
  } else {
    mainwindow::CentreOnScreen(*this, Width(), Height());
  }
}

void frmToolBarCustomize::Form_Load() {
  CentreOverMainWindow();
  tabCustomToolbar.AddTab(kToolbarsTab, -1, -1, u"TOOLBARS", 1000);
  tabCustomToolbar.AddTab(kOptionsTab, -1, -1, u"OPTIONS", 2000);
  tabCustomToolbar.SelectTab(1);
  picToolbars.Visible(true);
  picOptions.Visible(false);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  LoadLists();
  LoadOptions();
  lstToolBarStandart.ListIndex(0);
  lstToolBarDecode.ListIndex(0);
  // Ticking the items and the options above raised their edit events.
  cmdApply.Enabled(false);
}

void frmToolBarCustomize::LoadLists() {
  for (std::u16string_view caption : kStandardCaptions) lstToolBarStandart.AddItem(std::u16string(caption));
  for (std::u16string_view caption : kDecodeCaptions) lstToolBarDecode.AddItem(std::u16string(caption));
  LoadItems({lstToolBarStandart, settings::kToolBarsStandartKey});
  LoadItems({lstToolBarDecode, settings::kToolBarsDecodeKey});
}

void frmToolBarCustomize::LoadOptions() {
  chkUseLargeIcons.Value(StoredOption(settings::toolbars::kUseLargeIcons));
  chkShowToolTips.Value(StoredOption(settings::toolbars::kShowToolTips));
  chkHideInfrequently.Value(StoredOption(settings::toolbars::kHideInfrequently));
}

void frmToolBarCustomize::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmToolBarCustomize::tabCustomToolbar_TabClick(std::int32_t lTab) {
  const std::u16string caption = tabCustomToolbar.TabText(lTab);
  if (caption == kToolbarsTab) {
    picToolbars.Visible(true);
    picOptions.Visible(false);
  } else if (caption == kOptionsTab) {
    picToolbars.Visible(false);
    picOptions.Visible(true);
  }
}

void frmToolBarCustomize::cmdApply_Click() {
  const modRegistry::WriteBatch batch;  // the 51 values reach the file in one replacement of it
  WriteItems({lstToolBarStandart, settings::kToolBarsStandartKey});
  WriteItems({lstToolBarDecode, settings::kToolBarsDecodeKey});
  WriteOption(settings::toolbars::kUseLargeIcons, chkUseLargeIcons);
  WriteOption(settings::toolbars::kShowToolTips, chkShowToolTips);
  WriteOption(settings::toolbars::kHideInfrequently, chkHideInfrequently);
  ArmMainWindowTimers();
  cmdApply.Enabled(false);
}

// The timers run once the handler has returned: the layout first, then the options, then the
// window's own layout.
void frmToolBarCustomize::ArmMainWindowTimers() {
  if (main_ == nullptr) return;
  main_->TimerLoadToolBarButtons.Enabled(true);
  main_->TimerCommandBars.Enabled(true);
  main_->TimerUpdate.Enabled(true);
}

void frmToolBarCustomize::cmdOK_Click() {
  if (cmdApply.Enabled()) cmdApply_Click();
  Unload();
}

// The default layout shows every item; the options are not part of it and keep their state.
void frmToolBarCustomize::cmdReset_Click() {
  if (vb::MsgBox(u"Вы действительно хотите сбросить текущие параметры и установить параметры по умолчанию?",
                 vb::vbYesNo | vb::vbQuestion, core::kProgramTitle) != vb::vbYes) {
    return;
  }
  for (vb::ListBox* list : {&lstToolBarStandart, &lstToolBarDecode}) {
    for (int i = 0; i < list->ListCount(); ++i) list->Selected(i, true);
    list->ListIndex(0);
  }
  cmdApply_Click();
  vb::MsgBox(u"Установлены параметры по умолчанию.", vb::vbInformation, core::kProgramTitle);
}

frmToolBarCustomize& ToolBarCustomizeDialog() {
  static frmToolBarCustomize* dialog = new frmToolBarCustomize;  // lives as long as the program
  return *dialog;
}
