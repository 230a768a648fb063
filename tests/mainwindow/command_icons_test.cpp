// The command icon lists: filled from the program's folder in the table's order, each icon under its
// key and at the size of its list, so that every icon index of the command table shows the icon of
// its own command; a missing file shortens its list only; a folder without icons leaves empty lists;
// the files are read when a list is first used, not when the lists are made.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "controls/image_list_support.h"
#include "mainwindow/command_icons.h"
#include "mainwindow/command_routing.h"
#include "mainwindow/command_table.h"
#include "support.h"
#include "support_gdi.h"

using namespace mainwindow;
using controls::clsImageList;

namespace {

const std::filesystem::path kProgramFolder = std::filesystem::path(QM_BINARY_DIR) / "bin";

std::u16string Folder(const std::filesystem::path& p) { return p.u16string(); }

CommandImageLists LoadAll(const std::filesystem::path& folder) {
  CommandImageLists lists;
  LoadMenuImageList(lists, Folder(folder));
  LoadToolbarImageLists(lists, Folder(folder));
  LoadDecodeToolbarImageLists(lists, Folder(folder));
  return lists;
}

// The pixels of one icon file read alone at the given size.
qmtest::ImagePixels FilePixels(const std::filesystem::path& file, int size) {
  clsImageList one;
  one.SetIconSizeX(size);
  one.SetIconSizeY(size);
  one.Create();
  EXPECT_TRUE(one.AddFromFile(file.u16string(), win::IMAGE_ICON)) << file;
  return qmtest::PixelsOf(one, 1);
}

void ExpectList(clsImageList& list, std::span<const IconFile> files, const std::filesystem::path& folder, int size) {
  ASSERT_NE(list.hIml(), 0);
  EXPECT_EQ(list.IconSizeX(), size);
  EXPECT_EQ(list.IconSizeY(), size);
  ASSERT_EQ(list.ImageCount(), static_cast<int>(files.size()));
  for (std::size_t i = 0; i < files.size(); ++i) {
    const int position = static_cast<int>(i) + 1;
    EXPECT_EQ(list.ItemKey(position), files[i].key);
    const auto expected = FilePixels(folder / std::filesystem::path(std::u16string(files[i].file)), size);
    const auto got = qmtest::PixelsOf(list, position);
    ASSERT_EQ(got.colour.size(), static_cast<std::size_t>(size * size));
    EXPECT_EQ(got.colour, expected.colour) << qmtest::U8(std::u16string(files[i].file)) << " at " << i;
    EXPECT_EQ(got.clear, expected.clear);
  }
}

// The icon key each command's index must reach: its last word, but for the few the list names apart.
std::u16string ExpectedIconKey(std::u16string_view key) {
  static const std::map<std::u16string_view, std::u16string_view> apart = {
      {u"MENU:VIEW:TOOLBARS:TBCUSTOMIZE", u"TOOLBARCUSTOMIZE"}, {u"MENU:DECODE:UNDO", u"UNDODECODING"},
      {u"MENU:DECODE:DECODE", u"DECODING"},                     {u"TOOLBAR2:START", u"STARTDECODE"},
      {u"TOOLBAR2:STOP", u"STOPDECODE"},                        {u"TOOLBAR2:UNDO", u"UNDODECODE"}};
  if (auto it = apart.find(key); it != apart.end()) return std::u16string(it->second);
  return SplitCommandKey(key).back();
}

}  // namespace

TEST(CommandIconLists, EveryListHoldsItsFilesInOrderAtItsSize) {
  CommandImageLists lists = LoadAll(kProgramFolder);
  const auto icons = kProgramFolder / "Data" / "icons";
  ExpectList(*lists.ilMenu, MenuIconFiles(), icons / "menu", 16);
  ExpectList(*lists.ilToolBarSmall, ToolbarIconFiles(), icons / "toolbars" / "small", 16);
  ExpectList(*lists.ilToolBarLarge, ToolbarIconFiles(), icons / "toolbars" / "large", 24);
  ExpectList(*lists.ilDecodeSmall, DecodeToolbarIconFiles(), icons / "toolbars" / "small", 16);
  ExpectList(*lists.ilDecodeLarge, DecodeToolbarIconFiles(), icons / "toolbars" / "large", 24);
  EXPECT_EQ(MenuIconFiles().size(), 33u);
  EXPECT_EQ(ToolbarIconFiles().size(), 28u);
  EXPECT_EQ(DecodeToolbarIconFiles().size(), 3u);
}

TEST(CommandIconLists, EveryIconIndexOfTheTableShowsItsOwnCommand) {
  CommandImageLists lists = LoadAll(kProgramFolder);
  int checked = 0;
  for (const CommandRow& row : CommandTable()) {
    if (row.icon < 0) continue;
    clsImageList& list = row.key.starts_with(u"MENU:")       ? *lists.ilMenu
                         : row.key.starts_with(u"TOOLBAR2:") ? *lists.ilDecodeSmall
                                                             : *lists.ilToolBarSmall;
    EXPECT_EQ(list.ItemKey(row.icon + 1), ExpectedIconKey(row.key)) << qmtest::U8(std::u16string(row.key));
    ++checked;
  }
  EXPECT_EQ(checked, 33 + 28 + 3);
}

TEST(CommandIconLists, AMissingFileShortensItsListOnlyAndNoFolderLeavesEmptyLists) {
  const qmtest::TempDir folder;
  const auto program = folder.path() / "icons-without-reopen";
  std::filesystem::create_directories(program / "Data");
  std::filesystem::copy(kProgramFolder / "Data" / "icons", program / "Data" / "icons",
                        std::filesystem::copy_options::recursive);
  std::filesystem::remove(program / "Data" / "icons" / "menu" / "Reopen.ico");
  CommandImageLists lists = LoadAll(program);
  EXPECT_EQ(lists.ilMenu->ImageCount(), 32);
  EXPECT_EQ(lists.ilMenu->ItemKey(3), u"SAVE");  // where "MENU:FILE:REOPEN" looks (index 2)
  EXPECT_EQ(lists.ilMenu->ItemKey(4), u"PRINT");  // and "MENU:FILE:SAVE" (index 3)
  EXPECT_EQ(lists.ilToolBarSmall->ImageCount(), 28);
  EXPECT_EQ(lists.ilToolBarSmall->ItemKey(3), u"REOPEN");
  std::filesystem::remove_all(program);

  CommandImageLists none = LoadAll(program / "nowhere");
  for (clsImageList* list : {none.ilMenu.get(), none.ilToolBarSmall.get(), none.ilToolBarLarge.get(),
                             none.ilDecodeSmall.get(), none.ilDecodeLarge.get()}) {
    EXPECT_NE(list->hIml(), 0);
    EXPECT_EQ(list->ImageCount(), 0);
  }
}

TEST(CommandIconLists, TheFilesAreReadWhenAListIsFirstUsed) {
  const qmtest::TempDir folder;
  const auto program = folder.path() / "icons-read-late";
  std::filesystem::create_directories(program / "Data");
  std::filesystem::copy(kProgramFolder / "Data" / "icons", program / "Data" / "icons",
                        std::filesystem::copy_options::recursive);
  CommandImageLists lists = LoadAll(program);
  // The files change after the lists were made: the lists hold what is there at their first use.
  std::filesystem::remove(program / "Data" / "icons" / "menu" / "Reopen.ico");
  std::filesystem::remove_all(program / "Data" / "icons" / "toolbars" / "large");
  // A menu draws through the list's handle, as the bars do.
  qmtest::Surface surface(16, 16);
  EXPECT_TRUE(win::ImageList_Draw(lists.ilMenu->hIml(), 2, surface.dc, 0, 0, win::ILD_TRANSPARENT));
  EXPECT_EQ(qmtest::PixelsOf(*lists.ilMenu, 3).colour,
            FilePixels(program / "Data" / "icons" / "menu" / "Save.ico", 16).colour)
      << "the third image drawn is the third file there was";
  EXPECT_EQ(lists.ilMenu->ImageCount(), 32);
  EXPECT_EQ(lists.ilMenu->ItemKey(3), u"SAVE");
  // A key asked for first, and a list whose folder went.
  EXPECT_TRUE(lists.ilToolBarSmall->KeyExists(u"REOPEN"));
  EXPECT_EQ(lists.ilToolBarLarge->ImageCount(), 0);
  std::filesystem::remove_all(program);
}
