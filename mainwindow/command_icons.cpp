#include "mainwindow/command_icons.h"

#include "platform/gdi/icons.h"

namespace mainwindow {
namespace {

constexpr IconFile kMenu[] = {
    {u"NEW", u"New.ico"},
    {u"OPEN", u"Open.ico"},
    {u"REOPEN", u"Reopen.ico"},
    {u"SAVE", u"Save.ico"},
    {u"PRINT", u"Print.ico"},
    {u"PRINTSETTINGS", u"Print settings.ico"},
    {u"PROPERTIES", u"Properties.ico"},
    {u"UNDO", u"Undo.ico"},
    {u"REDO", u"Redo.ico"},
    {u"CUT", u"Cut.ico"},
    {u"COPY", u"Copy.ico"},
    {u"PASTE", u"Paste.ico"},
    {u"DELETE", u"Delete.ico"},
    {u"CLEAR", u"Clear.ico"},
    {u"FIND", u"Find.ico"},
    {u"REPLACE", u"Replace.ico"},
    {u"GOTO", u"Goto.ico"},
    {u"TOOLBARCUSTOMIZE", u"ToolbarCustomize.ico"},
    {u"FULLSCREEN", u"Fullscreen.ico"},
    {u"TIMEANDDATE", u"Time and date.ico"},
    {u"TEXTFILE", u"Text file.ico"},
    {u"FONT", u"Font.ico"},
    {u"OUTDENT", u"Outdent.ico"},
    {u"INDENT", u"Indent.ico"},
    {u"SETTINGS", u"Settings.ico"},
    {u"LOCKED", u"Locked.ico"},
    {u"UNDODECODING", u"Undo decoding.ico"},
    {u"DECODING", u"Decoding.ico"},
    {u"WIZARD", u"Wizard.ico"},
    {u"LICENSE", u"License.ico"},
    {u"AUTHORMAIL", u"Send Author EMail.ico"},
    {u"VISITHOMEPAGE", u"Visit Home Page.ico"},
    {u"ABOUT", u"About.ico"},
};

constexpr IconFile kToolbar[] = {
    {u"NEW", u"New.ico"},
    {u"OPEN", u"Open.ico"},
    {u"REOPEN", u"Reopen.ico"},
    {u"SAVE", u"Save.ico"},
    {u"PRINT", u"Print.ico"},
    {u"PRINTSETTINGS", u"Print settings.ico"},
    {u"FULLSCREEN", u"Fullscreen.ico"},
    {u"CUT", u"Cut.ico"},
    {u"COPY", u"Copy.ico"},
    {u"PASTE", u"Paste.ico"},
    {u"DELETE", u"Delete.ico"},
    {u"CLEAR", u"Clear.ico"},
    {u"UNDO", u"Undo.ico"},
    {u"REDO", u"Redo.ico"},
    {u"FIND", u"Find.ico"},
    {u"REPLACE", u"Replace.ico"},
    {u"GOTO", u"Goto.ico"},
    {u"OUTDENT", u"Outdent.ico"},
    {u"INDENT", u"Indent.ico"},
    {u"FONT", u"Font.ico"},
    {u"TIMEANDDATE", u"Time and date.ico"},
    {u"TEXTFILE", u"Text file.ico"},
    {u"WIZARD", u"Wizard.ico"},
    {u"SETTINGS", u"Settings.ico"},
    {u"LOCKED", u"Locked.ico"},
    {u"PROPERTIES", u"Properties.ico"},
    {u"LICENSE", u"License.ico"},
    {u"ABOUT", u"About.ico"},
};

constexpr IconFile kDecodeToolbar[] = {
    {u"STARTDECODE", u"Start.ico"},
    {u"STOPDECODE", u"Stop.ico"},
    {u"UNDODECODE", u"Undo decoding.ico"},
};

constexpr std::u16string_view kMenuFolder = u"/Data/icons/menu/";
constexpr std::u16string_view kSmallFolder = u"/Data/icons/toolbars/small/";
constexpr std::u16string_view kLargeFolder = u"/Data/icons/toolbars/large/";

// A new list at the display's colour depth, with its icons read at the list's own size when it is
// first drawn from (the window shows sooner, and a list never drawn, the large icons while small
// ones are shown, is never read). What Create and AddFromFile answer is not looked at: a short list
// is what a missing file leaves.
std::unique_ptr<controls::clsImageList> MakeList(int size, const std::u16string& folder,
                                                 std::span<const IconFile> files) {
  auto list = std::make_unique<controls::clsImageList>();
  list->SetColourDepth(list->SystemColourDepth());
  list->SetIconSizeX(size);
  list->SetIconSizeY(size);
  list->Create();
  list->FillWhenUsed([l = list.get(), folder, files] {
    for (const IconFile& f : files)
      l->AddFromFile(folder + std::u16string(f.file), win::IMAGE_ICON, std::u16string(f.key), false, -1);
  });
  return list;
}

}  // namespace

std::span<const IconFile> MenuIconFiles() { return kMenu; }
std::span<const IconFile> ToolbarIconFiles() { return kToolbar; }
std::span<const IconFile> DecodeToolbarIconFiles() { return kDecodeToolbar; }

void LoadMenuImageList(CommandImageLists& lists, const std::u16string& programFolder) {
  lists.ilMenu = MakeList(kSmallIconSize, programFolder + std::u16string(kMenuFolder), kMenu);
}

void LoadToolbarImageLists(CommandImageLists& lists, const std::u16string& programFolder) {
  lists.ilToolBarSmall = MakeList(kSmallIconSize, programFolder + std::u16string(kSmallFolder), kToolbar);
  lists.ilToolBarLarge = MakeList(kLargeIconSize, programFolder + std::u16string(kLargeFolder), kToolbar);
}

void LoadDecodeToolbarImageLists(CommandImageLists& lists, const std::u16string& programFolder) {
  lists.ilDecodeSmall = MakeList(kSmallIconSize, programFolder + std::u16string(kSmallFolder), kDecodeToolbar);
  lists.ilDecodeLarge = MakeList(kLargeIconSize, programFolder + std::u16string(kLargeFolder), kDecodeToolbar);
}

}  // namespace mainwindow
