#include "mainwindow/command_table.h"

#include <array>

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

// A menu-bar entry: its caption shows on the bar.
constexpr CommandRow Entry(std::u16string_view key, std::u16string_view caption) {
  return {.key = key, .caption = caption, .showCaptionInToolbar = true};
}
constexpr CommandRow Item(std::u16string_view key, std::u16string_view caption, std::int32_t icon = -1,
                          Shortcut shortcut = {}) {
  return {.key = key, .icon = icon, .caption = caption, .shortcutKey = shortcut.key,
          .shortcutModifiers = shortcut.modifiers};
}
constexpr CommandRow Check(std::u16string_view key, std::u16string_view caption) {
  return {.key = key, .caption = caption, .style = eCheck};
}
constexpr CommandRow Sep(std::u16string_view key) { return {.key = key, .style = eSeparator}; }
constexpr CommandRow Tool(std::u16string_view key, std::int32_t icon, std::u16string_view toolTip) {
  return {.key = key, .icon = icon, .toolTip = toolTip};
}

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
    Item(u"MENU:FILE:NEW", u"Создать", 0, Ctrl(u'N')),
    Item(u"MENU:FILE:OPEN", u"Открыть...", 1, Ctrl(u'O')),
    Item(u"MENU:FILE:REOPEN", u"Открыть заново", 2),
    Item(u"MENU:FILE:SAVE", u"Сохранить", 3, Ctrl(u'S')),
    Item(u"MENU:FILE:SAVEAS", u"Сохранить как ...", -1, CtrlShift(u'S')),
    Sep(u"MENU:FILE:SEP1"),
    Item(u"MENU:FILE:PRINT", u"Печать", 4, Ctrl(u'P')),
    Item(u"MENU:FILE:PRINTSETTINGS", u"Параметры печати", 5),
    Sep(u"MENU:FILE:SEP2"),
    Item(u"MENU:FILE:IMPORT", u"Импорт"),
    Item(u"MENU:FILE:IMPORT:RTF", u"Импортировать текст из *.rtf файла"),
    Sep(u"MENU:FILE:SEP3"),
    Item(u"MENU:FILE:PROPERTIES", u"Свойства документа", 6),
    Sep(u"MENU:FILE:SEP4"),
    Item(u"MENU:FILE:EXIT", u"Выход"),
    // Edit.
    Item(u"MENU:EDIT:UNDO", u"Отменить", 7, Ctrl(u'Z')),
    Item(u"MENU:EDIT:REDO", u"Повторить", 8, Alone(F(4))),
    Sep(u"MENU:EDIT:SEP1"),
    Item(u"MENU:EDIT:CUT", u"Вырезать", 9, Ctrl(u'X')),
    Item(u"MENU:EDIT:COPY", u"Копировать", 10, Ctrl(u'C')),
    Item(u"MENU:EDIT:PASTE", u"Вставить", 11, Ctrl(u'V')),
    Item(u"MENU:EDIT:DELETE", u"Удалить", 12, Ctrl(u'D')),
    Sep(u"MENU:EDIT:SEP2"),
    Item(u"MENU:EDIT:SELECTALL", u"Выделить все", -1, Ctrl(u'A')),
    Item(u"MENU:EDIT:CLEAR", u"Очистить", 13, Ctrl(u'K')),
    // Find.
    Item(u"MENU:FIND:FIND", u"Найти", 14, Ctrl(u'F')),
    Item(u"MENU:FIND:FINDNEXT", u"Найти далее", -1, Alone(F(3))),
    Item(u"MENU:FIND:REPLACE", u"Найти и заменить", 15, Ctrl(u'H')),
    Sep(u"MENU:FIND:SEP1"),
    Item(u"MENU:FIND:GOTO", u"Перейти", 16, Ctrl(u'G')),
    // View.
    Check(u"MENU:VIEW:ONTOP", u"Поверх всех окон"),
    Item(u"MENU:VIEW:TOOLBARS", u"Панели инструментов"),
    Check(u"MENU:VIEW:TOOLBARS:TBSTANDART", u"Стандартная"),
    Check(u"MENU:VIEW:TOOLBARS:TBDECODE", u"Перекодирование"),
    Sep(u"MENU:VIEW:TOOLBARS:SEP1"),
    Item(u"MENU:VIEW:TOOLBARS:TBCUSTOMIZE", u"Настроить...", 17),
    Item(u"MENU:VIEW:FULLSCREEN", u"Во весь экран", 18),
    Sep(u"MENU:VIEW:SEP1"),
    Item(u"MENU:VIEW:CUSTOMIZE", u"Настройка вида"),
    // Insert.
    Item(u"MENU:INSERT:TIMEANDDATE", u"Время и дата", 19),
    Item(u"MENU:INSERT:TEXTFILE", u"Текстовый файл", 20, Ctrl(u'T')),
    // Format.
    Item(u"MENU:FORMAT:FONT", u"Шрифт документа", 21),
    Sep(u"MENU:FORMAT:SEP1"),
    Item(u"MENU:FORMAT:ALLTEXTCASE", u"Регистр всего текста"),
    Item(u"MENU:FORMAT:ALLTEXTCASE:CASEU", u"Все буквы заглавные"),
    Item(u"MENU:FORMAT:ALLTEXTCASE:CASEL", u"Все буквы строчные"),
    Sep(u"MENU:FORMAT:SEP2"),
    Item(u"MENU:FORMAT:SELTEXTCASE", u"Регистр выделенного текста"),
    Item(u"MENU:FORMAT:SELTEXTCASE:CASEU", u"Все буквы заглавные"),
    Item(u"MENU:FORMAT:SELTEXTCASE:CASEL", u"Все буквы строчные"),
    Sep(u"MENU:FORMAT:SEP3"),
    Item(u"MENU:FORMAT:OUTDENT", u"Уменьшить отступ", 22, Alone(F(5))),
    Item(u"MENU:FORMAT:INDENT", u"Увеличить отступ", 23, Alone(F(6))),
    // Service.
    Item(u"MENU:SERVICE:SETTINGS", u"Параметры программы", 24, Ctrl(u'Q')),
    Sep(u"MENU:SERVICE:SEP1"),
    Item(u"MENU:SERVICE:LOCKED", u"Блокировка программы", 25, Ctrl(u'L')),
    // Decode: a sub-menu per source code page, then undo, the dialog and the wizard.
    Item(u"MENU:DECODE:DOS", u"DOS 866"),
    Item(u"MENU:DECODE:DOS:DW", u"DOS 866 -> Windows 1251"),
    Item(u"MENU:DECODE:DOS:DK", u"DOS 866 -> UNIX KOI-8"),
    Item(u"MENU:DECODE:DOS:DI", u"DOS 866 -> ISO 8859-5"),
    Item(u"MENU:DECODE:DOS:DM", u"DOS 866 -> MAC Apple"),
    Item(u"MENU:DECODE:WIN", u"Windows 1251"),
    Item(u"MENU:DECODE:WIN:WD", u"Windows 1251 -> DOS 866"),
    Item(u"MENU:DECODE:WIN:WK", u"Windows 1251 -> UNIX KOI-8"),
    Item(u"MENU:DECODE:WIN:WI", u"Windows 1251 -> ISO 8859-5"),
    Item(u"MENU:DECODE:WIN:WM", u"Windows 1251 -> MAC Apple"),
    Item(u"MENU:DECODE:KOI", u"UNIX KOI-8"),
    Item(u"MENU:DECODE:KOI:KD", u"UNIX KOI-8 -> DOS 866"),
    Item(u"MENU:DECODE:KOI:KW", u"UNIX KOI-8 -> Windows 1251"),
    Item(u"MENU:DECODE:KOI:KI", u"UNIX KOI-8 -> ISO 8859-5"),
    Item(u"MENU:DECODE:KOI:KM", u"UNIX KOI-8 -> MAC Apple"),
    Item(u"MENU:DECODE:ISO", u"ISO 8859-5"),
    Item(u"MENU:DECODE:ISO:ID", u"ISO 8859-5 -> DOS 866"),
    Item(u"MENU:DECODE:ISO:IW", u"ISO 8859-5 -> Windows 1251"),
    Item(u"MENU:DECODE:ISO:IK", u"ISO 8859-5 -> UNIX KOI-8"),
    Item(u"MENU:DECODE:ISO:IM", u"ISO 8859-5 -> MAC Apple"),
    Item(u"MENU:DECODE:MAC", u"MAC Apple"),
    Item(u"MENU:DECODE:MAC:MD", u"MAC Apple -> DOS 866"),
    Item(u"MENU:DECODE:MAC:MW", u"MAC Apple -> Windows 1251"),
    Item(u"MENU:DECODE:MAC:MK", u"MAC Apple -> UNIX KOI-8"),
    Item(u"MENU:DECODE:MAC:MI", u"MAC Apple -> ISO 8859-5"),
    Sep(u"MENU:DECODE:SEP1"),
    Item(u"MENU:DECODE:UNDO", u"Отменить перекодирование", 26, Ctrl(F(9))),
    Sep(u"MENU:DECODE:SEP2"),
    Item(u"MENU:DECODE:DECODE", u"Перекодирование", 27, Alone(F(9))),
    Sep(u"MENU:DECODE:SEP3"),
    Item(u"MENU:DECODE:WIZARD", u"Мастер перекодирования", 28, Ctrl(u'W')),
    // Help.
    Item(u"MENU:HELP:LICENSE", u"Лицензионное соглашение", 29),
    Sep(u"MENU:HELP:SEP1"),
    Item(u"MENU:HELP:AUTHORMAIL", u"Написать письмо автору", 30),
    Item(u"MENU:HELP:VISITHOMEPAGE", u"Посетить домашнюю страничку", 31),
    Sep(u"MENU:HELP:SEP2"),
    Item(u"MENU:HELP:ABOUT", u"О программе", 32, Ctrl(F(1))),
    // The standard toolbar, positions 00 to 39.
    Sep(u"TOOLBAR:SEP1"),
    Tool(u"TOOLBAR:NEW", 0, u"Создать документ"),
    Tool(u"TOOLBAR:OPEN", 1, u"Открыть документ"),
    Tool(u"TOOLBAR:REOPEN", 2, u"Открыть документ заново"),
    Tool(u"TOOLBAR:SAVE", 3, u"Сохранить документ"),
    Sep(u"TOOLBAR:SEP2"),
    Tool(u"TOOLBAR:PRINT", 4, u"Печать документа"),
    Tool(u"TOOLBAR:PRINTSETTINGS", 5, u"Параметры печати"),
    Tool(u"TOOLBAR:FULLSCREEN", 6, u"Во весь экран"),
    Sep(u"TOOLBAR:SEP3"),
    Tool(u"TOOLBAR:CUT", 7, u"Вырезать"),
    Tool(u"TOOLBAR:COPY", 8, u"Копировать"),
    Tool(u"TOOLBAR:PASTE", 9, u"Вставить"),
    Tool(u"TOOLBAR:DELETE", 10, u"Удалить"),
    Tool(u"TOOLBAR:CLEAR", 11, u"Очистить"),
    Sep(u"TOOLBAR:SEP4"),
    Tool(u"TOOLBAR:UNDO", 12, u"Отменить действие"),
    Tool(u"TOOLBAR:REDO", 13, u"Повторить действие"),
    Sep(u"TOOLBAR:SEP5"),
    Tool(u"TOOLBAR:FIND", 14, u"Найти"),
    Tool(u"TOOLBAR:REPLACE", 15, u"Найти и заменить"),
    Tool(u"TOOLBAR:GOTO", 16, u"Перейти"),
    Sep(u"TOOLBAR:SEP6"),
    Tool(u"TOOLBAR:OUTDENT", 17, u"Уменьшить отступ"),
    Tool(u"TOOLBAR:INDENT", 18, u"Увеличить отступ"),
    Sep(u"TOOLBAR:SEP7"),
    Tool(u"TOOLBAR:FONT", 19, u"Шрифт документа"),
    Sep(u"TOOLBAR:SEP8"),
    Tool(u"TOOLBAR:TIMEANDDATE", 20, u"Вставить время и дату"),
    Tool(u"TOOLBAR:TEXTFILE", 21, u"Вставить текстовый файл"),
    Sep(u"TOOLBAR:SEP9"),
    Tool(u"TOOLBAR:WIZARD", 22, u"Мастер перекодирования"),
    Tool(u"TOOLBAR:SETTINGS", 23, u"Параметры программы"),
    Tool(u"TOOLBAR:LOCKED", 24, u"Блокировка программы"),
    Sep(u"TOOLBAR:SEP10"),
    Tool(u"TOOLBAR:PROPERTIES", 25, u"Свойства документа"),
    Sep(u"TOOLBAR:SEP11"),
    Tool(u"TOOLBAR:LICENSE", 26, u"Лицензионное соглашение"),
    Tool(u"TOOLBAR:ABOUT", 27, u"О программе"),
    Sep(u"TOOLBAR:SEP12"),
    // The conversion toolbar, positions 00 to 07.
    Sep(u"TOOLBAR2:SEP1"),
    CommandRow{.key = kDirectionPanelKey, .style = ePanel},
    Sep(u"TOOLBAR2:SEP2"),
    CommandRow{.key = u"TOOLBAR2:START", .icon = 0, .caption = u"Перекодировать",
               .toolTip = u"Перекодировать документ", .showCaptionInToolbar = true},
    CommandRow{.key = u"TOOLBAR2:STOP", .icon = 1, .caption = u"Остановить",
               .toolTip = u"Остановить перекодирование", .showCaptionInToolbar = true},
    Sep(u"TOOLBAR2:SEP3"),
    Tool(u"TOOLBAR2:UNDO", 2, u"Отменить перекодирование"),
    Sep(u"TOOLBAR2:SEP4"),
};

static_assert(kTable.size() == 150);

}  // namespace

std::span<const CommandRow> CommandTable() { return kTable; }

}  // namespace mainwindow
