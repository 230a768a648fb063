// The command icons beside the program: every file the main window's image lists read is there, in
// every folder it is read from, and the drawing layer's loader takes each at 16 and 24 pixels as a
// real picture. A sheet of them all, as the lists draw them, is written into the build tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/testing/gdi.h"
#include "support_gdi.h"

using namespace win;

namespace {

const std::filesystem::path kIcons = std::filesystem::path(QM_BINARY_DIR) / "bin" / "Data" / "icons";

// The files of each list in the order the main window adds them.
const std::vector<std::string> kMenu = {
    "New.ico", "Open.ico", "Reopen.ico", "Save.ico", "Print.ico", "Print settings.ico", "Properties.ico",
    "Undo.ico", "Redo.ico", "Cut.ico", "Copy.ico", "Paste.ico", "Delete.ico", "Clear.ico", "Find.ico",
    "Replace.ico", "Goto.ico", "ToolbarCustomize.ico", "Fullscreen.ico", "Time and date.ico", "Text file.ico",
    "Font.ico", "Outdent.ico", "Indent.ico", "Settings.ico", "Locked.ico", "Undo decoding.ico", "Decoding.ico",
    "Wizard.ico", "License.ico", "Send Author EMail.ico", "Visit Home Page.ico", "About.ico"};
const std::vector<std::string> kToolbar = {
    "New.ico", "Open.ico", "Reopen.ico", "Save.ico", "Print.ico", "Print settings.ico", "Fullscreen.ico",
    "Cut.ico", "Copy.ico", "Paste.ico", "Delete.ico", "Clear.ico", "Undo.ico", "Redo.ico", "Find.ico",
    "Replace.ico", "Goto.ico", "Outdent.ico", "Indent.ico", "Font.ico", "Time and date.ico", "Text file.ico",
    "Wizard.ico", "Settings.ico", "Locked.ico", "Properties.ico", "License.ico", "About.ico"};
const std::vector<std::string> kDecodeToolbar = {"Start.ico", "Stop.ico", "Undo decoding.ico"};

struct List {
  std::string folder;
  std::vector<std::string> files;
  int size;
};

std::vector<List> Lists() {
  return {{"menu", kMenu, 16},
          {"toolbars/small", kToolbar, 16},
          {"toolbars/large", kToolbar, 24},
          {"toolbars/small", kDecodeToolbar, 16},
          {"toolbars/large", kDecodeToolbar, 24}};
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The picture sizes an .ico file's directory names.
std::set<int> StoredSizes(const std::vector<std::uint8_t>& d) {
  std::set<int> sizes;
  if (d.size() < 6) return sizes;
  const int count = d[4] | (d[5] << 8);
  for (int i = 0; i < count && 6 + 16 * (i + 1) <= static_cast<int>(d.size()); ++i) {
    const int w = d[6 + 16 * i];
    if (w == d[6 + 16 * i + 1]) sizes.insert(w);
  }
  return sizes;
}

// How many pixels of a size x size cell at (x, y) differ from the background.
int Inked(const qmtest::Surface& s, int x0, int y0, int size, COLORREF background) {
  int n = 0;
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x) n += s.at(x, y) != background ? 1 : 0;
  return n;
}

}  // namespace

TEST(CommandIcons, EveryFolderHoldsExactlyTheFilesItsListsRead) {
  std::set<std::string> menu(kMenu.begin(), kMenu.end());
  std::set<std::string> toolbar(kToolbar.begin(), kToolbar.end());
  toolbar.insert(kDecodeToolbar.begin(), kDecodeToolbar.end());
  const std::vector<std::pair<std::string, std::set<std::string>>> folders = {
      {"menu", menu}, {"toolbars/small", toolbar}, {"toolbars/large", toolbar}};
  for (const auto& [folder, expected] : folders) {
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(kIcons / folder))
      present.insert(entry.path().filename().string());
    EXPECT_EQ(present, expected) << folder;
  }
}

TEST(CommandIcons, EachFileHoldsDrawnPicturesOfSixteenAndTwentyFourPixels) {
  for (const List& list : Lists()) {
    for (const std::string& name : list.files) {
      const std::filesystem::path path = kIcons / list.folder / name;
      SCOPED_TRACE(path.string());
      // Both sizes are stored as drawn, so neither list gets a picture scaled from the other.
      EXPECT_EQ(StoredSizes(Bytes(path)), (std::set<int>{16, 24}));
      for (int size : {16, 24}) {
        // Loaded through the Windows-style path the program builds.
        const std::string windowsPath = kIcons.string() + "\\" + list.folder + "\\" + name;
        HICON icon = static_cast<HICON>(LoadImageA(0, windowsPath, IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(icon, 0) << size;
        ICONINFO ii;
        ASSERT_TRUE(GetIconInfo(icon, &ii));
        BITMAP bm;
        GetObject(ii.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
        DeleteObject(ii.hbmColor);
        DeleteObject(ii.hbmMask);
        // Drawn on two backgrounds: a real picture covers a good part of its cell and leaves some
        // of it see-through (no blank placeholder, no opaque square).
        qmtest::Surface green(size, size, RGB(0, 255, 0));
        qmtest::Surface magenta(size, size, RGB(255, 0, 255));
        ASSERT_TRUE(DrawIconEx(green.dc, 0, 0, icon, 0, 0, 0, 0, DI_NORMAL));
        ASSERT_TRUE(DrawIconEx(magenta.dc, 0, 0, icon, 0, 0, 0, 0, DI_NORMAL));
        EXPECT_GT(Inked(green, 0, 0, size, RGB(0, 255, 0)), size * size / 5) << size;
        int seeThrough = 0;
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x) seeThrough += green.at(x, y) != magenta.at(x, y) ? 1 : 0;
        EXPECT_GT(seeThrough, 0) << size;
        DestroyIcon(icon);
      }
    }
  }
}

TEST(CommandIcons, TheListsTakeEveryFileAndDrawThemOnASheet) {
  const COLORREF face = RGB(212, 208, 200);
  const int cell = 28;
  const auto lists = Lists();
  qmtest::Surface sheet(cell * 34, cell * static_cast<int>(lists.size()), face);
  for (size_t row = 0; row < lists.size(); ++row) {
    const List& list = lists[row];
    HIMAGELIST il = ImageList_Create(list.size, list.size, ILC_COLOR32 | ILC_MASK, 0, 4);
    ASSERT_NE(il, 0);
    for (const std::string& name : list.files) {
      HICON icon = static_cast<HICON>(LoadImageA(0, (kIcons / list.folder / name).string(), IMAGE_ICON, list.size,
                                                 list.size, LR_LOADFROMFILE));
      ImageList_AddIcon(il, icon);
      DestroyIcon(icon);
    }
    // A file that did not load would shift every later icon one place: the count shows it.
    ASSERT_EQ(ImageList_GetImageCount(il), static_cast<int>(list.files.size())) << list.folder;
    for (int i = 0; i < ImageList_GetImageCount(il); ++i) {
      const int x = 2 + i * cell;
      const int y = 2 + static_cast<int>(row) * cell;
      ImageList_Draw(il, i, sheet.dc, x, y, ILD_TRANSPARENT);
      EXPECT_GT(Inked(sheet, x, y, list.size, face), list.size * list.size / 5) << list.files[i];
    }
    ImageList_Destroy(il);
  }
  EXPECT_TRUE(platform::testing::SaveSurfacePng(sheet.dc, QM_BINARY_DIR "/command_icons.png"));
}
