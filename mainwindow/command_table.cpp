#include "mainwindow/command_table.h"

#include <algorithm>
#include <array>

#include "mainwindow/command_routing.h"

namespace mainwindow {
namespace {

using commandbars::eCheck;
using commandbars::ePanel;
using commandbars::eSeparator;

struct Shortcut {
  std::int16_t key = 0;
  std::int32_t modifiers = commandbars::kCtrlModifier;
};

constexpr std::int32_t kCtrlShift = commandbars::kCtrlModifier | commandbars::kShiftModifier;
constexpr Shortcut Ctrl(int key) { return {static_cast<std::int16_t>(key), commandbars::kCtrlModifier}; }
constexpr Shortcut CtrlShift(int key) { return {static_cast<std::int16_t>(key), kCtrlShift}; }
constexpr Shortcut Alone(std::int16_t key) { return {key, 0}; }
constexpr std::int16_t F(int n) { return static_cast<std::int16_t>(111 + n); }  // F1 is 112

// What choosing a row runs and when the refresh enables it: a command that leaves the document as it
// is, and one that changes it.
struct Action {
  CommandHandler handler = nullptr;
  bool changesDocument = false;
  EnableRule enable = EnableRule::Always;
};
constexpr Action Runs(CommandHandler handler, EnableRule enable = EnableRule::Always) {
  return {handler, false, enable};
}
constexpr Action Edits(CommandHandler handler, EnableRule enable = EnableRule::Always) {
  return {handler, true, enable};
}

// A row of a key and a caption; the makers below fill in the rest.
constexpr CommandRow Row(std::u16string_view key, std::u16string_view caption = {}) {
  CommandRow row;
  row.key = key;
  row.caption = caption;
  return row;
}
// A menu-bar entry: its caption shows on the bar.
constexpr CommandRow Entry(std::u16string_view key, std::u16string_view caption) {
  CommandRow row = Row(key, caption);
  row.showCaptionInToolbar = true;
  return row;
}
// A menu item that opens a sub-menu: the sub-menu's items run, it does not.
constexpr CommandRow Opens(std::u16string_view key, std::u16string_view caption) { return Row(key, caption); }
constexpr CommandRow Item(std::u16string_view key, std::u16string_view caption, Action action, std::int32_t icon = -1,
                          Shortcut shortcut = {}) {
  CommandRow row = Row(key, caption);
  row.icon = icon;
  row.shortcutKey = shortcut.key;
  row.shortcutModifiers = shortcut.modifiers;
  row.handler = action.handler;
  row.changesDocument = action.changesDocument;
  row.enable = action.enable;
  return row;
}
constexpr CommandRow Check(std::u16string_view key, std::u16string_view caption, Action action) {
  CommandRow row = Item(key, caption, action);
  row.style = eCheck;
  return row;
}
// A menu item converting the document in a direction, 0 ("DOS 866 -> Windows 1251") to 19.
constexpr CommandRow Direction(std::u16string_view key, std::u16string_view caption, std::int32_t direction) {
  CommandRow row = Row(key, caption);
  row.direction = direction;
  return row;
}
constexpr CommandRow Sep(std::u16string_view key) {
  CommandRow row = Row(key);
  row.style = eSeparator;
  return row;
}
// The conversion toolbar's panel, which hosts the direction list and has the list's rule.
constexpr CommandRow Panel(std::u16string_view key, EnableRule enable) {
  CommandRow row = Row(key);
  row.style = ePanel;
  row.enable = enable;
  return row;
}
constexpr CommandRow Tool(std::u16string_view key, std::int32_t icon, std::u16string_view toolTip, Action action) {
  CommandRow row = Item(key, {}, action, icon);
  row.toolTip = toolTip;
  return row;
}
// A conversion-toolbar button whose caption shows beside its icon.
constexpr CommandRow Labelled(std::u16string_view key, std::int32_t icon, std::u16string_view caption,
                              std::u16string_view toolTip, Action action) {
  CommandRow row = Tool(key, icon, toolTip, action);
  row.caption = caption;
  row.showCaptionInToolbar = true;
  return row;
}

using T = CommandTarget;
using enum EnableRule;

constexpr std::array kTable = {
    // The menu bar.
    Entry(u"MENU:FILE", u"Файл"),
    Entry(u"MENU:EDIT", u"Правка"),
    Entry(u"MENU:FIND", u"Поиск"),
    Entry(u"MENU:VIEW", u"Вид"),
    Entry(u"MENU:INSERT", u"Вставка"),
    Entry(u"MENU:FORMAT", u"Формат"),
    Entry(u"MENU:SERVICE", u"Сервис"),
    Entry(u"MENU:DECODE", u"Перекодирование"),
    Entry(u"MENU:HELP", u"Справка"),
    // File.
    Item(u"MENU:FILE:NEW", u"Создать", Edits(&T::CmdFileNew), 0, Ctrl(u'N')),
    Item(u"MENU:FILE:OPEN", u"Открыть...", Edits(&T::CmdFileOpen), 1, Ctrl(u'O')),
    Item(u"MENU:FILE:REOPEN", u"Открыть заново", Edits(&T::ReloadDocument, Opened), 2),
    Item(u"MENU:FILE:SAVE", u"Сохранить", Runs(&T::CmdFileSave, SavedAs), 3, Ctrl(u'S')),
    Item(u"MENU:FILE:SAVEAS", u"Сохранить как ...", Runs(&T::CmdFileSaveAs), -1, CtrlShift(u'S')),
    Sep(u"MENU:FILE:SEP1"),
    Item(u"MENU:FILE:PRINT", u"Печать", Runs(&T::CmdFilePrint, Text), 4, Ctrl(u'P')),
    Item(u"MENU:FILE:PRINTSETTINGS", u"Параметры печати", Runs(&T::CmdFilePrintSettings), 5),
    Sep(u"MENU:FILE:SEP2"),
    Opens(u"MENU:FILE:IMPORT", u"Импорт"),
    Item(u"MENU:FILE:IMPORT:RTF", u"Импортировать текст из *.rtf файла", Edits(&T::CmdFileImportRtf)),
    Sep(u"MENU:FILE:SEP3"),
    Item(u"MENU:FILE:PROPERTIES", u"Свойства документа", Runs(&T::CmdFileProperties), 6),
    Sep(u"MENU:FILE:SEP4"),
    Item(u"MENU:FILE:EXIT", u"Выход", Runs(&T::CmdFileExit)),
    // Edit.
    Item(u"MENU:EDIT:UNDO", u"Отменить", Edits(&T::UndoEdit, Undo), 7, Ctrl(u'Z')),
    Item(u"MENU:EDIT:REDO", u"Повторить", Edits(&T::RedoEdit, Redo), 8, Alone(F(4))),
    Sep(u"MENU:EDIT:SEP1"),
    Item(u"MENU:EDIT:CUT", u"Вырезать", Edits(&T::CmdEditCut, Selection), 9, Ctrl(u'X')),
    Item(u"MENU:EDIT:COPY", u"Копировать", Runs(&T::CmdEditCopy, Selection), 10, Ctrl(u'C')),
    Item(u"MENU:EDIT:PASTE", u"Вставить", Edits(&T::CmdEditPaste, Clipboard), 11, Ctrl(u'V')),
    Item(u"MENU:EDIT:DELETE", u"Удалить", Edits(&T::CmdEditDelete, Selection), 12, Ctrl(u'D')),
    Sep(u"MENU:EDIT:SEP2"),
    Item(u"MENU:EDIT:SELECTALL", u"Выделить все", Runs(&T::CmdEditSelectAll, Text), -1, Ctrl(u'A')),
    Item(u"MENU:EDIT:CLEAR", u"Очистить", Edits(&T::CmdEditClear, Text), 13, Ctrl(u'K')),
    // Find.
    Item(u"MENU:FIND:FIND", u"Найти", Runs(&T::CmdFindFind, Text), 14, Ctrl(u'F')),
    Item(u"MENU:FIND:FINDNEXT", u"Найти далее", Runs(&T::CmdFindNext, Text), -1, Alone(F(3))),
    Item(u"MENU:FIND:REPLACE", u"Найти и заменить", Runs(&T::CmdFindReplace, Text), 15, Ctrl(u'H')),
    Sep(u"MENU:FIND:SEP1"),
    Item(u"MENU:FIND:GOTO", u"Перейти", Runs(&T::CmdFindGoTo, Text), 16, Ctrl(u'G')),
    // View.
    Check(u"MENU:VIEW:ONTOP", u"Поверх всех окон", Runs(&T::SetTopMost)),
    Opens(u"MENU:VIEW:TOOLBARS", u"Панели инструментов"),
    Check(u"MENU:VIEW:TOOLBARS:TBSTANDART", u"Стандартная", Runs(&T::CmdViewToolbarsStandart)),
    Check(u"MENU:VIEW:TOOLBARS:TBDECODE", u"Перекодирование", Runs(&T::CmdViewToolbarsDecode)),
    Sep(u"MENU:VIEW:TOOLBARS:SEP1"),
    Item(u"MENU:VIEW:TOOLBARS:TBCUSTOMIZE", u"Настроить...", Runs(&T::CmdViewToolbarsCustomize), 17),
    Item(u"MENU:VIEW:FULLSCREEN", u"Во весь экран", Runs(&T::CmdViewFullScreen), 18),
    Sep(u"MENU:VIEW:SEP1"),
    Item(u"MENU:VIEW:CUSTOMIZE", u"Настройка вида", Runs(&T::CmdViewCustomize)),
    // Insert.
    Item(u"MENU:INSERT:TIMEANDDATE", u"Время и дата", Edits(&T::CmdInsertTimeAndDate), 19),
    Item(u"MENU:INSERT:TEXTFILE", u"Текстовый файл", Edits(&T::CmdInsertTextFile), 20, Ctrl(u'T')),
    // Format.
    Item(u"MENU:FORMAT:FONT", u"Шрифт документа", Runs(&T::CmdFormatFont), 21),
    Sep(u"MENU:FORMAT:SEP1"),
    Opens(u"MENU:FORMAT:ALLTEXTCASE", u"Регистр всего текста"),
    Item(u"MENU:FORMAT:ALLTEXTCASE:CASEU", u"Все буквы заглавные", Edits(&T::CmdFormatAllTextUpper, Text)),
    Item(u"MENU:FORMAT:ALLTEXTCASE:CASEL", u"Все буквы строчные", Edits(&T::CmdFormatAllTextLower, Text)),
    Sep(u"MENU:FORMAT:SEP2"),
    Opens(u"MENU:FORMAT:SELTEXTCASE", u"Регистр выделенного текста"),
    Item(u"MENU:FORMAT:SELTEXTCASE:CASEU", u"Все буквы заглавные", Edits(&T::CmdFormatSelTextUpper, Selection)),
    Item(u"MENU:FORMAT:SELTEXTCASE:CASEL", u"Все буквы строчные", Edits(&T::CmdFormatSelTextLower, Selection)),
    Sep(u"MENU:FORMAT:SEP3"),
    Item(u"MENU:FORMAT:OUTDENT", u"Уменьшить отступ", Edits(&T::CmdFormatOutdent), 22, Alone(F(5))),
    Item(u"MENU:FORMAT:INDENT", u"Увеличить отступ", Edits(&T::CmdFormatIndent), 23, Alone(F(6))),
    // Service.
    Item(u"MENU:SERVICE:SETTINGS", u"Параметры программы", Runs(&T::CmdServiceSettings), 24, Ctrl(u'Q')),
    Sep(u"MENU:SERVICE:SEP1"),
    Item(u"MENU:SERVICE:LOCKED", u"Блокировка программы", Runs(&T::CmdServiceLocked), 25, Ctrl(u'L')),
    // Decode: a sub-menu per source code page (a direction is found only under its source's
    // sub-menu), then undo, the dialog and the wizard.
    Opens(u"MENU:DECODE:DOS", u"DOS 866"),
    Direction(u"MENU:DECODE:DOS:DW", u"DOS 866 -> Windows 1251", 0),
    Direction(u"MENU:DECODE:DOS:DK", u"DOS 866 -> UNIX KOI-8", 1),
    Direction(u"MENU:DECODE:DOS:DI", u"DOS 866 -> ISO 8859-5", 2),
    Direction(u"MENU:DECODE:DOS:DM", u"DOS 866 -> MAC Apple", 3),
    Opens(u"MENU:DECODE:WIN", u"Windows 1251"),
    Direction(u"MENU:DECODE:WIN:WD", u"Windows 1251 -> DOS 866", 4),
    Direction(u"MENU:DECODE:WIN:WK", u"Windows 1251 -> UNIX KOI-8", 5),
    Direction(u"MENU:DECODE:WIN:WI", u"Windows 1251 -> ISO 8859-5", 6),
    Direction(u"MENU:DECODE:WIN:WM", u"Windows 1251 -> MAC Apple", 7),
    Opens(u"MENU:DECODE:KOI", u"UNIX KOI-8"),
    Direction(u"MENU:DECODE:KOI:KD", u"UNIX KOI-8 -> DOS 866", 8),
    Direction(u"MENU:DECODE:KOI:KW", u"UNIX KOI-8 -> Windows 1251", 9),
    Direction(u"MENU:DECODE:KOI:KI", u"UNIX KOI-8 -> ISO 8859-5", 10),
    Direction(u"MENU:DECODE:KOI:KM", u"UNIX KOI-8 -> MAC Apple", 11),
    Opens(u"MENU:DECODE:ISO", u"ISO 8859-5"),
    Direction(u"MENU:DECODE:ISO:ID", u"ISO 8859-5 -> DOS 866", 12),
    Direction(u"MENU:DECODE:ISO:IW", u"ISO 8859-5 -> Windows 1251", 13),
    Direction(u"MENU:DECODE:ISO:IK", u"ISO 8859-5 -> UNIX KOI-8", 14),
    Direction(u"MENU:DECODE:ISO:IM", u"ISO 8859-5 -> MAC Apple", 15),
    Opens(u"MENU:DECODE:MAC", u"MAC Apple"),
    Direction(u"MENU:DECODE:MAC:MD", u"MAC Apple -> DOS 866", 16),
    Direction(u"MENU:DECODE:MAC:MW", u"MAC Apple -> Windows 1251", 17),
    Direction(u"MENU:DECODE:MAC:MK", u"MAC Apple -> UNIX KOI-8", 18),
    Direction(u"MENU:DECODE:MAC:MI", u"MAC Apple -> ISO 8859-5", 19),
    Sep(u"MENU:DECODE:SEP1"),
    Item(u"MENU:DECODE:UNDO", u"Отменить перекодирование", Runs(&T::UndoDecode, Decoded), 26, Ctrl(F(9))),
    Sep(u"MENU:DECODE:SEP2"),
    Item(u"MENU:DECODE:DECODE", u"Перекодирование", Runs(&T::CmdDecodeDialog), 27, Alone(F(9))),
    Sep(u"MENU:DECODE:SEP3"),
    Item(u"MENU:DECODE:WIZARD", u"Мастер перекодирования", Runs(&T::CmdDecodeWizard), 28, Ctrl(u'W')),
    // Help.
    Item(u"MENU:HELP:LICENSE", u"Лицензионное соглашение", Runs(&T::CmdHelpLicense), 29),
    Sep(u"MENU:HELP:SEP1"),
    Item(u"MENU:HELP:AUTHORMAIL", u"Написать письмо автору", Runs(&T::CmdHelpAuthorMail), 30),
    Item(u"MENU:HELP:VISITHOMEPAGE", u"Посетить домашнюю страничку", Runs(&T::CmdHelpVisitHomePage), 31),
    Sep(u"MENU:HELP:SEP2"),
    Item(u"MENU:HELP:ABOUT", u"О программе", Runs(&T::CmdHelpAbout), 32, Ctrl(F(1))),
    // The standard toolbar, positions 00 to 39. Its Save has a handler of its own; every other item
    // runs its menu command's handler.
    Sep(u"TOOLBAR:SEP1"),
    Tool(u"TOOLBAR:NEW", 0, u"Создать документ", Edits(&T::CmdFileNew)),
    Tool(u"TOOLBAR:OPEN", 1, u"Открыть документ", Edits(&T::CmdFileOpen)),
    Tool(u"TOOLBAR:REOPEN", 2, u"Открыть документ заново", Edits(&T::ReloadDocument, Opened)),
    Tool(u"TOOLBAR:SAVE", 3, u"Сохранить документ", Runs(&T::CmdToolbarSave)),
    Sep(u"TOOLBAR:SEP2"),
    Tool(u"TOOLBAR:PRINT", 4, u"Печать документа", Runs(&T::CmdFilePrint, Text)),
    Tool(u"TOOLBAR:PRINTSETTINGS", 5, u"Параметры печати", Runs(&T::CmdFilePrintSettings)),
    Tool(u"TOOLBAR:FULLSCREEN", 6, u"Во весь экран", Runs(&T::CmdViewFullScreen)),
    Sep(u"TOOLBAR:SEP3"),
    Tool(u"TOOLBAR:CUT", 7, u"Вырезать", Edits(&T::CmdEditCut, Selection)),
    Tool(u"TOOLBAR:COPY", 8, u"Копировать", Runs(&T::CmdEditCopy, Selection)),
    Tool(u"TOOLBAR:PASTE", 9, u"Вставить", Edits(&T::CmdEditPaste, Clipboard)),
    Tool(u"TOOLBAR:DELETE", 10, u"Удалить", Edits(&T::CmdEditDelete, Selection)),
    Tool(u"TOOLBAR:CLEAR", 11, u"Очистить", Edits(&T::CmdEditClear, Text)),
    Sep(u"TOOLBAR:SEP4"),
    Tool(u"TOOLBAR:UNDO", 12, u"Отменить действие", Edits(&T::UndoEdit, Undo)),
    Tool(u"TOOLBAR:REDO", 13, u"Повторить действие", Edits(&T::RedoEdit, Redo)),
    Sep(u"TOOLBAR:SEP5"),
    Tool(u"TOOLBAR:FIND", 14, u"Найти", Runs(&T::CmdFindFind, Text)),
    Tool(u"TOOLBAR:REPLACE", 15, u"Найти и заменить", Runs(&T::CmdFindReplace, Text)),
    Tool(u"TOOLBAR:GOTO", 16, u"Перейти", Runs(&T::CmdFindGoTo, Text)),
    Sep(u"TOOLBAR:SEP6"),
    Tool(u"TOOLBAR:OUTDENT", 17, u"Уменьшить отступ", Edits(&T::CmdFormatOutdent)),
    Tool(u"TOOLBAR:INDENT", 18, u"Увеличить отступ", Edits(&T::CmdFormatIndent)),
    Sep(u"TOOLBAR:SEP7"),
    Tool(u"TOOLBAR:FONT", 19, u"Шрифт документа", Runs(&T::CmdFormatFont)),
    Sep(u"TOOLBAR:SEP8"),
    Tool(u"TOOLBAR:TIMEANDDATE", 20, u"Вставить время и дату", Edits(&T::CmdInsertTimeAndDate)),
    Tool(u"TOOLBAR:TEXTFILE", 21, u"Вставить текстовый файл", Edits(&T::CmdInsertTextFile)),
    Sep(u"TOOLBAR:SEP9"),
    Tool(u"TOOLBAR:WIZARD", 22, u"Мастер перекодирования", Runs(&T::CmdDecodeWizard)),
    Tool(u"TOOLBAR:SETTINGS", 23, u"Параметры программы", Runs(&T::CmdServiceSettings)),
    Tool(u"TOOLBAR:LOCKED", 24, u"Блокировка программы", Runs(&T::CmdServiceLocked)),
    Sep(u"TOOLBAR:SEP10"),
    Tool(u"TOOLBAR:PROPERTIES", 25, u"Свойства документа", Runs(&T::CmdFileProperties)),
    Sep(u"TOOLBAR:SEP11"),
    Tool(u"TOOLBAR:LICENSE", 26, u"Лицензионное соглашение", Runs(&T::CmdHelpLicense)),
    Tool(u"TOOLBAR:ABOUT", 27, u"О программе", Runs(&T::CmdHelpAbout)),
    Sep(u"TOOLBAR:SEP12"),
    // The conversion toolbar, positions 00 to 07. The panel runs nothing (the direction list handles
    // its own changes); its rule is the list's. Start would start nothing during a run, and clearing
    // the cancel request then would undo a Stop just asked, so it waits for none.
    Sep(u"TOOLBAR2:SEP1"),
    Panel(kDirectionPanelKey, Text),
    Sep(u"TOOLBAR2:SEP2"),
    Labelled(u"TOOLBAR2:START", 0, u"Перекодировать", u"Перекодировать документ", Edits(&T::DecodeToolbarStart, Text)),
    Labelled(u"TOOLBAR2:STOP", 1, u"Остановить", u"Остановить перекодирование", Runs(&T::DecodeToolbarStop, Text)),
    Sep(u"TOOLBAR2:SEP3"),
    Tool(u"TOOLBAR2:UNDO", 2, u"Отменить перекодирование", Runs(&T::UndoDecode, Decoded)),
    Sep(u"TOOLBAR2:SEP4"),
};

static_assert(kTable.size() == 150);
// The refresh sets 35 buttons and the direction list.
static_assert(std::ranges::count_if(kTable, [](const CommandRow& r) { return r.enable != EnableRule::Always; }) == 36);

}  // namespace

std::span<const CommandRow> CommandTable() { return kTable; }

const CommandRow* FindCommand(std::u16string_view key) {
  for (const CommandRow& row : kTable)
    if (row.key == key) return &row;
  return nullptr;
}

}  // namespace mainwindow
