#include "mainwindow/command_routing.h"

#include <span>

#include "core/decode.h"
#include "core/document.h"
#include "core/edit_history.h"

namespace mainwindow {
namespace {

using Handler = void (CommandTarget::*)();

// One entry of a dispatcher: the word it matches and either a handler, a direction (0 to 19), or
// the entries of the next word.
struct Route {
  std::u16string_view word;
  Handler handler = nullptr;
  // The command changes the document, so it waits for no running conversion: it does nothing then.
  bool changesDocument = false;
  int direction = -1;
  std::span<const Route> next = {};
};

constexpr Route Run(std::u16string_view word, Handler handler) { return {word, handler}; }
constexpr Route Edit(std::u16string_view word, Handler handler) { return {word, handler, true}; }
constexpr Route Sub(std::u16string_view word, std::span<const Route> next) { return {word, nullptr, false, -1, next}; }
constexpr Route Direction(std::u16string_view word, int direction) { return {word, nullptr, false, direction}; }

using T = CommandTarget;

constexpr Route kImport[] = {Edit(u"RTF", &T::CmdFileImportRtf)};
constexpr Route kFile[] = {
    Edit(u"NEW", &T::CmdFileNew),          Edit(u"OPEN", &T::CmdFileOpen),
    Edit(u"REOPEN", &T::ReloadDocument),   Run(u"SAVE", &T::CmdFileSave),
    Run(u"SAVEAS", &T::CmdFileSaveAs),     Run(u"PRINT", &T::CmdFilePrint),
    Run(u"PRINTSETTINGS", &T::CmdFilePrintSettings), Run(u"PROPERTIES", &T::CmdFileProperties),
    Run(u"EXIT", &T::CmdFileExit),         Sub(u"IMPORT", kImport),
};
constexpr Route kEdit[] = {
    Edit(u"UNDO", &T::UndoEdit),     Edit(u"REDO", &T::RedoEdit),     Edit(u"CUT", &T::CmdEditCut),
    Run(u"COPY", &T::CmdEditCopy),   Edit(u"PASTE", &T::CmdEditPaste), Edit(u"DELETE", &T::CmdEditDelete),
    Run(u"SELECTALL", &T::CmdEditSelectAll), Edit(u"CLEAR", &T::CmdEditClear),
};
constexpr Route kFind[] = {
    Run(u"FIND", &T::CmdFindFind), Run(u"FINDNEXT", &T::CmdFindNext), Run(u"REPLACE", &T::CmdFindReplace),
    Run(u"GOTO", &T::CmdFindGoTo),
};
constexpr Route kToolbars[] = {
    Run(u"TBSTANDART", &T::CmdViewToolbarsStandart), Run(u"TBDECODE", &T::CmdViewToolbarsDecode),
    Run(u"TBCUSTOMIZE", &T::CmdViewToolbarsCustomize),
};
constexpr Route kView[] = {
    Run(u"ONTOP", &T::SetTopMost), Run(u"FULLSCREEN", &T::CmdViewFullScreen),
    Run(u"CUSTOMIZE", &T::CmdViewCustomize), Sub(u"TOOLBARS", kToolbars),
};
constexpr Route kInsert[] = {Edit(u"TIMEANDDATE", &T::CmdInsertTimeAndDate), Edit(u"TEXTFILE", &T::CmdInsertTextFile)};
constexpr Route kAllTextCase[] = {Edit(u"CASEU", &T::CmdFormatAllTextUpper), Edit(u"CASEL", &T::CmdFormatAllTextLower)};
constexpr Route kSelTextCase[] = {Edit(u"CASEU", &T::CmdFormatSelTextUpper), Edit(u"CASEL", &T::CmdFormatSelTextLower)};
constexpr Route kFormat[] = {
    Run(u"FONT", &T::CmdFormatFont), Edit(u"OUTDENT", &T::CmdFormatOutdent), Edit(u"INDENT", &T::CmdFormatIndent),
    Sub(u"ALLTEXTCASE", kAllTextCase), Sub(u"SELTEXTCASE", kSelTextCase),
};
constexpr Route kService[] = {Run(u"SETTINGS", &T::CmdServiceSettings), Run(u"LOCKED", &T::CmdServiceLocked)};
// A direction code is accepted only under the group of its source letter.
constexpr Route kFromDos[] = {Direction(u"DW", 0), Direction(u"DK", 1), Direction(u"DI", 2), Direction(u"DM", 3)};
constexpr Route kFromWin[] = {Direction(u"WD", 4), Direction(u"WK", 5), Direction(u"WI", 6), Direction(u"WM", 7)};
constexpr Route kFromKoi[] = {Direction(u"KD", 8), Direction(u"KW", 9), Direction(u"KI", 10), Direction(u"KM", 11)};
constexpr Route kFromIso[] = {Direction(u"ID", 12), Direction(u"IW", 13), Direction(u"IK", 14), Direction(u"IM", 15)};
constexpr Route kFromMac[] = {Direction(u"MD", 16), Direction(u"MW", 17), Direction(u"MK", 18), Direction(u"MI", 19)};
constexpr Route kDecode[] = {
    Run(u"UNDO", &T::UndoDecode), Run(u"DECODE", &T::CmdDecodeDialog), Run(u"WIZARD", &T::CmdDecodeWizard),
    Sub(u"DOS", kFromDos), Sub(u"WIN", kFromWin), Sub(u"KOI", kFromKoi), Sub(u"ISO", kFromIso),
    Sub(u"MAC", kFromMac),
};
constexpr Route kHelp[] = {
    Run(u"LICENSE", &T::CmdHelpLicense), Run(u"AUTHORMAIL", &T::CmdHelpAuthorMail),
    Run(u"VISITHOMEPAGE", &T::CmdHelpVisitHomePage), Run(u"ABOUT", &T::CmdHelpAbout),
};
constexpr Route kMenu[] = {
    Sub(u"FILE", kFile),     Sub(u"EDIT", kEdit),       Sub(u"FIND", kFind),
    Sub(u"VIEW", kView),     Sub(u"INSERT", kInsert),   Sub(u"FORMAT", kFormat),
    Sub(u"SERVICE", kService), Sub(u"DECODE", kDecode), Sub(u"HELP", kHelp),
};

// The toolbar's Save has a handler of its own; every other item runs its menu command's handler.
constexpr Route kToolbar[] = {
    Edit(u"NEW", &T::CmdFileNew),           Edit(u"OPEN", &T::CmdFileOpen),
    Edit(u"REOPEN", &T::ReloadDocument),    Run(u"SAVE", &T::CmdToolbarSave),
    Run(u"PRINT", &T::CmdFilePrint),        Run(u"PRINTSETTINGS", &T::CmdFilePrintSettings),
    Run(u"FULLSCREEN", &T::CmdViewFullScreen), Edit(u"CUT", &T::CmdEditCut),
    Run(u"COPY", &T::CmdEditCopy),          Edit(u"PASTE", &T::CmdEditPaste),
    Edit(u"DELETE", &T::CmdEditDelete),     Edit(u"CLEAR", &T::CmdEditClear),
    Edit(u"UNDO", &T::UndoEdit),            Edit(u"REDO", &T::RedoEdit),
    Run(u"FIND", &T::CmdFindFind),          Run(u"REPLACE", &T::CmdFindReplace),
    Run(u"GOTO", &T::CmdFindGoTo),          Edit(u"OUTDENT", &T::CmdFormatOutdent),
    Edit(u"INDENT", &T::CmdFormatIndent),   Run(u"FONT", &T::CmdFormatFont),
    Edit(u"TIMEANDDATE", &T::CmdInsertTimeAndDate), Edit(u"TEXTFILE", &T::CmdInsertTextFile),
    Run(u"WIZARD", &T::CmdDecodeWizard),    Run(u"SETTINGS", &T::CmdServiceSettings),
    Run(u"LOCKED", &T::CmdServiceLocked),   Run(u"PROPERTIES", &T::CmdFileProperties),
    Run(u"LICENSE", &T::CmdHelpLicense),    Run(u"ABOUT", &T::CmdHelpAbout),
};

const Route* Find(std::span<const Route> routes, const std::u16string& word) {
  for (const Route& r : routes)
    if (r.word == word) return &r;
  return nullptr;
}

// Follows the words from `first` (0-based) through the entries and runs what the last one names.
void Dispatch(std::span<const Route> routes, const std::vector<std::u16string>& words, std::size_t first,
              CommandTarget& target) {
  std::size_t i = first;
  const Route* route = nullptr;
  while (i < words.size() && (route = Find(routes, words[i])) != nullptr && !route->next.empty()) {
    routes = route->next;
    ++i;
  }
  if (i >= words.size() || route == nullptr || !route->next.empty()) return;
  if (route->changesDocument && modDecode::DecodeRunning()) return;
  if (route->direction >= 0)
    target.ConvertDirection(route->direction);
  else
    (target.*route->handler)();
}

}  // namespace

void CommandTarget::ReloadDocument() { modDocument::ReloadDocument(); }
void CommandTarget::UndoEdit() { modDocument::UndoEdit(); }
void CommandTarget::RedoEdit() { modDocument::RedoEdit(); }
void CommandTarget::UndoDecode() { modDecode::UndoDecode(); }
void CommandTarget::CancelDecode() { modDecode::CancelDecode(); }

std::vector<std::u16string> SplitCommandKey(std::u16string_view key) {
  std::vector<std::u16string> words;
  std::size_t start = 0;
  for (std::size_t p; (p = key.find(u':', start)) != std::u16string_view::npos; start = p + 1)
    words.emplace_back(key.substr(start, p - start));
  words.emplace_back(key.substr(start));
  return words;
}

void ExecuteMenuCommand(const std::vector<std::u16string>& words, CommandTarget& target) {
  if (words.size() <= 2) return;  // a menu-bar entry opens its drop-down and runs nothing
  Dispatch(kMenu, words, 1, target);
}

void ExecuteToolbarCommand(const std::vector<std::u16string>& words, CommandTarget& target) {
  Dispatch(kToolbar, words, 1, target);
}

void ExecuteDecodeToolbarCommand(const std::vector<std::u16string>& words, CommandTarget& target) {
  if (words.size() < 2) return;
  const std::u16string& word = words[1];
  if (word == u"START") {
    // Start during a run would start nothing, but clearing the flag would undo a Stop just asked.
    if (modDecode::DecodeRunning()) return;
    modDecode::DecodeCancelled = false;  // a request made while nothing ran must not stop this run
    target.StartDecode();
  } else if (word == u"STOP") {
    target.CancelDecode();
    target.UnloadDecodingWindow();
  } else if (word == u"UNDO") {
    target.UndoDecode();
  }
  // "DECODE", the item that hosts the direction list, runs nothing: the list handles its own changes.
}

void RouteButtonClick(std::u16string_view key, CommandTarget& target) {
  const std::vector<std::u16string> words = SplitCommandKey(key);
  if (words[0] == u"MENU")
    ExecuteMenuCommand(words, target);
  else if (words[0] == u"TOOLBAR")
    ExecuteToolbarCommand(words, target);
  else if (words[0] == u"TOOLBAR2")
    ExecuteDecodeToolbarCommand(words, target);
}

}  // namespace mainwindow
