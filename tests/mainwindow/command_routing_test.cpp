// The routing of command keys: every key of the command table reaches the one handler it names (and
// the keys that name none run nothing), words are exact, a key short of a word runs nothing, the
// conversion toolbar's Start and Stop act on the cancel request, and commands that change the
// document run nothing while a conversion is under way.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/decode.h"
#include "core/testing/stand_in.h"
#include "mainwindow/command_routing.h"
#include "mainwindow/command_table.h"
#include "support.h"

using namespace mainwindow;

namespace {

#define RECORD(name) \
  void name() override { calls.push_back(#name); }

// Records each handler it is asked to run.
class Recorder : public CommandTarget {
 public:
  std::vector<std::string> calls;
  RECORD(CmdFileNew) RECORD(CmdFileOpen) RECORD(CmdFileSave) RECORD(CmdToolbarSave) RECORD(CmdFileSaveAs)
  RECORD(CmdFileImportRtf) RECORD(CmdFilePrint) RECORD(CmdFilePrintSettings) RECORD(CmdFileProperties)
  RECORD(CmdFileExit) RECORD(CmdEditCut) RECORD(CmdEditCopy) RECORD(CmdEditPaste) RECORD(CmdEditDelete)
  RECORD(CmdEditSelectAll) RECORD(CmdEditClear) RECORD(CmdFindFind) RECORD(CmdFindNext) RECORD(CmdFindReplace)
  RECORD(CmdFindGoTo) RECORD(SetTopMost) RECORD(CmdViewFullScreen) RECORD(CmdViewCustomize)
  RECORD(CmdViewToolbarsStandart) RECORD(CmdViewToolbarsDecode) RECORD(CmdViewToolbarsCustomize)
  RECORD(CmdInsertTimeAndDate) RECORD(CmdInsertTextFile) RECORD(CmdFormatFont) RECORD(CmdFormatOutdent)
  RECORD(CmdFormatIndent) RECORD(CmdFormatAllTextUpper) RECORD(CmdFormatAllTextLower) RECORD(CmdFormatSelTextUpper)
  RECORD(CmdFormatSelTextLower) RECORD(CmdServiceSettings) RECORD(CmdServiceLocked) RECORD(CmdHelpLicense)
  RECORD(CmdHelpAuthorMail) RECORD(CmdHelpVisitHomePage) RECORD(CmdHelpAbout) RECORD(ReloadDocument)
  RECORD(UndoEdit) RECORD(RedoEdit) RECORD(UndoDecode) RECORD(CancelDecode) RECORD(CmdDecodeDialog)
  RECORD(CmdDecodeWizard) RECORD(UnloadDecodingWindow)
  void StartDecode() override { calls.push_back(modDecode::DecodeCancelled ? "StartDecode(cancelled)" : "StartDecode"); }
  void ConvertDirection(int direction) override { calls.push_back("ConvertDirection " + std::to_string(direction)); }
};

std::vector<std::string> Route(std::u16string_view key) {
  Recorder r;
  RouteButtonClick(key, r);
  return r.calls;
}

// What each key of the command table runs; every other key of the table runs nothing.
const std::map<std::u16string_view, std::string> kHandlers = {
    {u"MENU:FILE:NEW", "CmdFileNew"}, {u"MENU:FILE:OPEN", "CmdFileOpen"}, {u"MENU:FILE:REOPEN", "ReloadDocument"},
    {u"MENU:FILE:SAVE", "CmdFileSave"}, {u"MENU:FILE:SAVEAS", "CmdFileSaveAs"}, {u"MENU:FILE:PRINT", "CmdFilePrint"},
    {u"MENU:FILE:PRINTSETTINGS", "CmdFilePrintSettings"}, {u"MENU:FILE:IMPORT:RTF", "CmdFileImportRtf"},
    {u"MENU:FILE:PROPERTIES", "CmdFileProperties"}, {u"MENU:FILE:EXIT", "CmdFileExit"},
    {u"MENU:EDIT:UNDO", "UndoEdit"}, {u"MENU:EDIT:REDO", "RedoEdit"}, {u"MENU:EDIT:CUT", "CmdEditCut"},
    {u"MENU:EDIT:COPY", "CmdEditCopy"}, {u"MENU:EDIT:PASTE", "CmdEditPaste"}, {u"MENU:EDIT:DELETE", "CmdEditDelete"},
    {u"MENU:EDIT:SELECTALL", "CmdEditSelectAll"}, {u"MENU:EDIT:CLEAR", "CmdEditClear"},
    {u"MENU:FIND:FIND", "CmdFindFind"}, {u"MENU:FIND:FINDNEXT", "CmdFindNext"},
    {u"MENU:FIND:REPLACE", "CmdFindReplace"}, {u"MENU:FIND:GOTO", "CmdFindGoTo"}, {u"MENU:VIEW:ONTOP", "SetTopMost"},
    {u"MENU:VIEW:TOOLBARS:TBSTANDART", "CmdViewToolbarsStandart"},
    {u"MENU:VIEW:TOOLBARS:TBDECODE", "CmdViewToolbarsDecode"},
    {u"MENU:VIEW:TOOLBARS:TBCUSTOMIZE", "CmdViewToolbarsCustomize"},
    {u"MENU:VIEW:FULLSCREEN", "CmdViewFullScreen"}, {u"MENU:VIEW:CUSTOMIZE", "CmdViewCustomize"},
    {u"MENU:INSERT:TIMEANDDATE", "CmdInsertTimeAndDate"}, {u"MENU:INSERT:TEXTFILE", "CmdInsertTextFile"},
    {u"MENU:FORMAT:FONT", "CmdFormatFont"}, {u"MENU:FORMAT:ALLTEXTCASE:CASEU", "CmdFormatAllTextUpper"},
    {u"MENU:FORMAT:ALLTEXTCASE:CASEL", "CmdFormatAllTextLower"},
    {u"MENU:FORMAT:SELTEXTCASE:CASEU", "CmdFormatSelTextUpper"},
    {u"MENU:FORMAT:SELTEXTCASE:CASEL", "CmdFormatSelTextLower"}, {u"MENU:FORMAT:OUTDENT", "CmdFormatOutdent"},
    {u"MENU:FORMAT:INDENT", "CmdFormatIndent"}, {u"MENU:SERVICE:SETTINGS", "CmdServiceSettings"},
    {u"MENU:SERVICE:LOCKED", "CmdServiceLocked"}, {u"MENU:DECODE:UNDO", "UndoDecode"},
    {u"MENU:DECODE:DECODE", "CmdDecodeDialog"}, {u"MENU:DECODE:WIZARD", "CmdDecodeWizard"},
    {u"MENU:HELP:LICENSE", "CmdHelpLicense"}, {u"MENU:HELP:AUTHORMAIL", "CmdHelpAuthorMail"},
    {u"MENU:HELP:VISITHOMEPAGE", "CmdHelpVisitHomePage"}, {u"MENU:HELP:ABOUT", "CmdHelpAbout"},
    {u"TOOLBAR:NEW", "CmdFileNew"}, {u"TOOLBAR:OPEN", "CmdFileOpen"}, {u"TOOLBAR:REOPEN", "ReloadDocument"},
    {u"TOOLBAR:SAVE", "CmdToolbarSave"}, {u"TOOLBAR:PRINT", "CmdFilePrint"},
    {u"TOOLBAR:PRINTSETTINGS", "CmdFilePrintSettings"}, {u"TOOLBAR:FULLSCREEN", "CmdViewFullScreen"},
    {u"TOOLBAR:CUT", "CmdEditCut"}, {u"TOOLBAR:COPY", "CmdEditCopy"}, {u"TOOLBAR:PASTE", "CmdEditPaste"},
    {u"TOOLBAR:DELETE", "CmdEditDelete"}, {u"TOOLBAR:CLEAR", "CmdEditClear"}, {u"TOOLBAR:UNDO", "UndoEdit"},
    {u"TOOLBAR:REDO", "RedoEdit"}, {u"TOOLBAR:FIND", "CmdFindFind"}, {u"TOOLBAR:REPLACE", "CmdFindReplace"},
    {u"TOOLBAR:GOTO", "CmdFindGoTo"}, {u"TOOLBAR:OUTDENT", "CmdFormatOutdent"}, {u"TOOLBAR:INDENT", "CmdFormatIndent"},
    {u"TOOLBAR:FONT", "CmdFormatFont"}, {u"TOOLBAR:TIMEANDDATE", "CmdInsertTimeAndDate"},
    {u"TOOLBAR:TEXTFILE", "CmdInsertTextFile"}, {u"TOOLBAR:WIZARD", "CmdDecodeWizard"},
    {u"TOOLBAR:SETTINGS", "CmdServiceSettings"}, {u"TOOLBAR:LOCKED", "CmdServiceLocked"},
    {u"TOOLBAR:PROPERTIES", "CmdFileProperties"}, {u"TOOLBAR:LICENSE", "CmdHelpLicense"},
    {u"TOOLBAR:ABOUT", "CmdHelpAbout"}, {u"TOOLBAR2:START", "StartDecode"}, {u"TOOLBAR2:UNDO", "UndoDecode"},
};

const char* const kDirectionCodes[] = {"DOS:DW", "DOS:DK", "DOS:DI", "DOS:DM", "WIN:WD", "WIN:WK", "WIN:WI",
                                       "WIN:WM", "KOI:KD", "KOI:KW", "KOI:KI", "KOI:KM", "ISO:ID", "ISO:IW",
                                       "ISO:IK", "ISO:IM", "MAC:MD", "MAC:MW", "MAC:MK", "MAC:MI"};

std::u16string Wide(std::string_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

TEST(CommandRouting, SplittingKeepsEmptyWords) {
  using W = std::vector<std::u16string>;
  EXPECT_EQ(SplitCommandKey(u"MENU:FILE:NEW"), (W{u"MENU", u"FILE", u"NEW"}));
  EXPECT_EQ(SplitCommandKey(u""), (W{u""}));
  EXPECT_EQ(SplitCommandKey(u"TOOLBAR:"), (W{u"TOOLBAR", u""}));
  EXPECT_EQ(SplitCommandKey(u"::A"), (W{u"", u"", u"A"}));
}

TEST(CommandRouting, EveryKeyOfTheTableRunsItsOneHandlerOrNothing) {
  int routed = 0;
  for (const CommandRow& row : CommandTable()) {
    const std::string key(row.key.begin(), row.key.end());
    const auto calls = Route(row.key);
    if (auto it = kHandlers.find(row.key); it != kHandlers.end()) {
      EXPECT_EQ(calls, std::vector<std::string>{it->second}) << key;
      ++routed;
    } else if (row.key == u"TOOLBAR2:STOP") {
      EXPECT_EQ(calls, (std::vector<std::string>{"CancelDecode", "UnloadDecodingWindow"}));
    } else if (row.key.starts_with(u"MENU:DECODE:") && SplitCommandKey(row.key).size() == 4) {
      continue;  // the directions, below
    } else {
      EXPECT_TRUE(calls.empty()) << key << " runs " << calls.front();
    }
  }
  EXPECT_EQ(routed, static_cast<int>(kHandlers.size()));
  for (int d = 0; d < 20; ++d)
    EXPECT_EQ(Route(u"MENU:DECODE:" + Wide(kDirectionCodes[d])),
              std::vector<std::string>{"ConvertDirection " + std::to_string(d)});
}

TEST(CommandRouting, WordsMustMatchExactlyAndInFull) {
  const char* const nothing[] = {
      "",                      // one empty word
      "MENU",                  // too few words
      "MENU:FILE",             // a menu-bar entry
      "MENU:FILE:IMPORT",      // lacks the word the sub-menu would compare
      "MENU:FILE:IMPORT:DOC",  // no such sub-entry
      "MENU:DECODE:WIN:DW",    // a code under another source's group
      "MENU:DECODE:DOS",       // a group without its code
      "menu:file:new",         // case matters
      "MENU:file:NEW",
      "TOOLBAR:",              // empty second word
      "TOOLBAR",               // no second word
      "TOOLBAR:SAVEAS",        // a menu command the toolbar does not have
      "TOOLBAR2:DECODE",       // the direction list's panel
      "TOOLBAR2",
      "TOOLBAR3:NEW",
      "CHEVRON:TOOLBAR",
      "MENU:HELP:ABOUT ",
  };
  for (const char* key : nothing) EXPECT_TRUE(Route(Wide(key)).empty()) << key;
  // Further words after a complete command change nothing.
  EXPECT_EQ(Route(u"MENU:FILE:NEW:MORE"), std::vector<std::string>{"CmdFileNew"});
}

TEST(CommandRouting, StartClearsAPendingCancelAndStopCancels) {
  modDecode::DecodeCancelled = true;
  EXPECT_EQ(Route(u"TOOLBAR2:START"), std::vector<std::string>{"StartDecode"});
  EXPECT_FALSE(modDecode::DecodeCancelled);
}

TEST(CommandRouting, TheCoreRoutinesAreTheDefaultHandlers) {
  qmtest::StandInServices w;
  modDecode::DecodeCancelled = false;
  modDecode::TextBeforeDecode = u"before";
  w.editor().Text(u"after");
  struct Bare : CommandTarget {
    void CmdDecodeDialog() override {}
    void CmdDecodeWizard() override {}
    void ConvertDirection(int) override {}
    void StartDecode() override {}
    void UnloadDecodingWindow() override { ++unloads; }
    int unloads = 0;
  } bare;
  RouteButtonClick(u"MENU:DECODE:UNDO", bare);
  EXPECT_EQ(w.editor().Text(), u"before");
  RouteButtonClick(u"TOOLBAR2:STOP", bare);
  EXPECT_TRUE(modDecode::DecodeCancelled);
  EXPECT_EQ(bare.unloads, 1);
  modDecode::DecodeCancelled = false;
}

// The commands that change the document wait for no conversion: while one runs (it lets the
// window's events through at each progress step) they do nothing, and the others still run.
TEST(CommandRouting, DocumentCommandsRunNothingWhileAConversionRuns) {
  qmtest::StandInServices w;
  modDecode::DecodeCancelled = false;
  w.editor().Text(u"Привет, мир");
  qmtest::SelectDirection(w, 4);
  Recorder r;
  w.decoding.beforeStep = [&](std::size_t step) {
    if (step != 0) return;
    for (const char* key : {"MENU:FILE:NEW", "TOOLBAR:OPEN", "MENU:FILE:REOPEN", "MENU:FILE:IMPORT:RTF",
                            "MENU:INSERT:TEXTFILE", "TOOLBAR:TIMEANDDATE", "MENU:EDIT:PASTE", "TOOLBAR:CUT",
                            "MENU:EDIT:DELETE", "TOOLBAR:CLEAR", "MENU:FORMAT:ALLTEXTCASE:CASEU",
                            "MENU:FORMAT:SELTEXTCASE:CASEL", "TOOLBAR:INDENT", "MENU:FORMAT:OUTDENT",
                            "MENU:EDIT:UNDO", "TOOLBAR:REDO", "TOOLBAR2:START"})
      RouteButtonClick(Wide(key), r);
    EXPECT_TRUE(r.calls.empty()) << r.calls.front();
    for (const char* key : {"MENU:EDIT:COPY", "MENU:FIND:FIND", "MENU:HELP:ABOUT", "TOOLBAR2:STOP"})
      RouteButtonClick(Wide(key), r);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"CmdEditCopy", "CmdFindFind", "CmdHelpAbout", "CancelDecode",
                                                 "UnloadDecodingWindow"}));
    modDecode::DecodeCancelled = true;  // the recorder's CancelDecode asked for nothing
  };
  modDecode::DecodeDocument();
  EXPECT_EQ(w.editor().Text(), u"Привет, мир");  // the Stop asked during the run held
  r.calls.clear();
  RouteButtonClick(u"MENU:FILE:NEW", r);  // and afterwards they run again
  EXPECT_EQ(r.calls, std::vector<std::string>{"CmdFileNew"});
}
