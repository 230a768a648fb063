// The keyed image list: keys and positions, inserting, removing, swapping, drawing and strips.
#include "controls/image_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "image_list_support.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/win/resources.h"
#include "support.h"

namespace {

using namespace controls;
using namespace qmtest;

void ExpectError9(const std::function<void()>& f) {
  try {
    f();
    ADD_FAILURE() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 9);
    EXPECT_TRUE(e.Source.ends_with(u".kestImageList")) << U8(e.Source);
  }
}

TEST(ImageList, KeysArePositionsByNameAndUnique) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  EXPECT_TRUE(AddSolid(list, 0xFF0000, u"NEW"));
  EXPECT_TRUE(AddSolid(list, 0x00FF00, u"OPEN"));
  EXPECT_TRUE(AddSolid(list, 0x0000FF, u"NEW"));  // added, but without the key another image holds
  EXPECT_TRUE(AddSolid(list, 0x123456));
  EXPECT_EQ(list.ImageCount(), 4);
  EXPECT_EQ(list.ItemIndex(u"NEW"), 1);
  EXPECT_EQ(list.ItemIndex(u"OPEN"), 2);
  EXPECT_EQ(list.ItemKey(3), u"");
  EXPECT_EQ(list.ItemIndex(u"new"), -1);
  EXPECT_EQ(list.ItemIndex(u"PRINT"), -1);
  EXPECT_EQ(list.ItemIndex(u"3"), 3);
  EXPECT_TRUE(list.KeyExists(u"OPEN"));
  EXPECT_FALSE(list.KeyExists(u"open"));
  ExpectError9([&] { list.ItemIndex(0); });
  ExpectError9([&] { list.ItemIndex(5); });
  ExpectError9([&] { list.ItemKey(5); });
  list.SetItemKey(4, u"SAVE");
  list.SetItemKey(3, u"SAVE");  // refused: image 4 holds it
  EXPECT_EQ(list.ItemIndex(u"SAVE"), 4);
  EXPECT_EQ(list.ItemKey(3), u"");
  EXPECT_EQ(list.ItemKey(1), u"NEW");
}

TEST(ImageList, InsertingAfterAnImageMovesItWithItsKey) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  AddSolid(list, 0x0000AA, u"A");
  AddSolid(list, 0x0000BB, u"B");
  AddSolid(list, 0x0000CC, u"C");
  EXPECT_TRUE(AddSolid(list, 0x0000DD, u"D", ImageRef(u"A")));
  EXPECT_TRUE(AddSolid(list, 0x0000EE, u"E", ImageRef(u"C")));
  EXPECT_TRUE(AddSolid(list, 0x0000FF, u"F", ImageRef(0)));  // 0: no insertion
  EXPECT_FALSE(AddSolid(list, 0x000011, u"G", ImageRef(u"missing")));
  const std::vector<std::u16string> keys = {u"A", u"D", u"B", u"C", u"E", u"F"};
  const std::vector<std::uint32_t> colours = {0xAA, 0xDD, 0xBB, 0xCC, 0xEE, 0xFF};
  ASSERT_EQ(list.ImageCount(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(list.ItemKey(i + 1), keys[static_cast<size_t>(i)]);
    EXPECT_EQ(PixelOf(list, i + 1, 0, 0), colours[static_cast<size_t>(i)]) << i;
  }
  ExpectError9([&] { AddSolid(list, 1, u"H", ImageRef(7)); });
  EXPECT_EQ(list.ImageCount(), 6);
}

TEST(ImageList, RemoveSwapAndCopy) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  AddSolid(list, 0x0000AA, u"A");
  AddSolid(list, 0x0000BB, u"B");
  AddSolid(list, 0x0000CC, u"C");
  ExpectError9([&] { list.RemoveImage(u"missing"); });
  EXPECT_EQ(list.ImageCount(), 3);
  list.RemoveImage(u"A");
  EXPECT_EQ(list.ImageCount(), 2);
  EXPECT_EQ(list.ItemIndex(u"B"), 1);
  EXPECT_EQ(list.ItemIndex(u"C"), 2);
  list.SwapOrCopyImage(u"B", u"C", 1);
  EXPECT_EQ(list.ItemIndex(u"C"), 1);
  EXPECT_EQ(PixelOf(list, 1, 0, 0), 0xCCu);
  list.SwapOrCopyImage(1, 2, 0);  // copy: image 1 becomes image 2's picture, keys stay
  EXPECT_EQ(PixelOf(list, 1, 0, 0), 0xBBu);
  EXPECT_EQ(list.ItemKey(1), u"C");
  EXPECT_EQ(list.ItemKey(2), u"B");
}

// Images added through the list's handle have no key yet; a swap with them and a strip whose first
// key names no image still work as every other member does.
TEST(ImageList, ImagesAddedThroughTheHandleSwapAndStripsStartWhereTheyCan) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  AddSolid(list, 0x0000AA, u"A");
  const win::HICON icon = MakeIcon(16, 16, [](int, int) { return 0xFF0000BBu; });
  ASSERT_EQ(win::ImageList_AddIcon(list.hIml(), icon), 1);
  win::DestroyIcon(icon);
  list.SwapOrCopyImage(1, 2, 1);
  EXPECT_EQ(PixelOf(list, 1, 0, 0), 0xBBu);
  EXPECT_EQ(list.ItemKey(1), u"");
  EXPECT_EQ(list.ItemKey(2), u"A");
  EXPECT_EQ(list.ItemIndex(u"A"), 2);

  // Only a last slot not above the first or below 0 gives no strip.
  const vb::Picture strip = list.ImagePictureStrip(ImageRef(u"missing"), std::nullopt, 0x00FFFFFF);
  ASSERT_NE(strip, nullptr);
  const win::HDC dc = win::CreateCompatibleDC(0);
  const win::HGDIOBJ old = win::SelectObject(dc, static_cast<win::HBITMAP>(strip->Handle()));
  EXPECT_EQ(win::GetPixel(dc, 0, 0), 0xBB0000u);
  EXPECT_EQ(win::GetPixel(dc, 16, 0), 0xAA0000u);
  win::SelectObject(dc, old);
  win::DeleteDC(dc);
  EXPECT_EQ(list.ImagePictureStrip(ImageRef(u"missing"), ImageRef(u"nothing")), nullptr);
}

TEST(ImageList, WithoutAListNothingHappens) {
  clsImageList list;
  EXPECT_EQ(list.IconSizeX(), 16);
  EXPECT_EQ(list.IconSizeY(), 16);
  EXPECT_EQ(list.ColourDepth(), 0);
  EXPECT_EQ(list.hIml(), 0);
  EXPECT_FALSE(AddSolid(list, 0, u"A"));
  EXPECT_EQ(list.ImageCount(), 0);
  list.RemoveImage(u"A");
  EXPECT_EQ(list.ImagePictureStrip(), nullptr);
  EXPECT_FALSE(list.SaveToFile(u"/nonexistent/x"));
  EXPECT_FALSE(list.LoadFromFile(u"/nonexistent/x"));
  list.SetIconSizeX(24);
  list.SetColourDepth(32);
  ASSERT_TRUE(list.Create());
  AddSolid(list, 1, u"A");
  list.Clear();
  EXPECT_NE(list.hIml(), 0);
  EXPECT_EQ(list.ImageCount(), 0);
  EXPECT_FALSE(list.KeyExists(u"A"));
  EXPECT_EQ(list.IconSizeX(), 24);
  EXPECT_EQ(list.ColourDepth(), 32);
  list.SetIconSizeX(0);
  EXPECT_FALSE(list.Create());
  EXPECT_EQ(list.hIml(), 0);
}

TEST(ImageList, FilesAddTheirImagesAndMissingOnesNothing) {
  TempDir dir;
  clsImageList list;
  ASSERT_TRUE(list.Create());
  const auto ico = dir.path() / "New.ico";
  WriteBytes(ico, IcoFile(16, 0x80112233));
  EXPECT_TRUE(list.AddFromFile(vb::FromUtf8(ico.string()), win::IMAGE_ICON, u"NEW"));
  EXPECT_FALSE(list.AddFromFile(vb::FromUtf8((dir.path() / "none.ico").string()), win::IMAGE_ICON, u"X"));
  EXPECT_EQ(list.ImageCount(), 1);
  EXPECT_EQ(list.ItemIndex(u"NEW"), 1);
  // A bitmap two images wide; its top-left colour is see-through.
  const auto bmp = dir.path() / "Strip.bmp";
  WriteBytes(bmp, BmpFile(32, 16, [](int x, int y) { return x == 0 && y == 0 ? 0x00FF00u : x < 16 ? 0x00FF00u : 0xFF0000u; }));
  EXPECT_TRUE(list.AddFromFile(vb::FromUtf8(bmp.string()), win::IMAGE_BITMAP, u"STRIP"));
  ASSERT_EQ(list.ImageCount(), 3);
  EXPECT_EQ(list.ItemIndex(u"STRIP"), 2);
  Surface c(16, 16, win::RGB(0xAB, 0xCD, 0xEF));
  list.DrawImage(2, c.dc, 0, 0);
  list.DrawImage(3, c.dc, 8, 0);
  EXPECT_EQ(c.at(0, 5), win::RGB(0xAB, 0xCD, 0xEF));  // green was see-through
  EXPECT_EQ(c.at(9, 5), win::RGB(255, 0, 0));
}

TEST(ImageList, TheProgramsOwnResourcesAddTheirImages) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  const win::HINSTANCE program = win::GetModuleHandleA(nullptr);
  // The test program's icon 101 is one 24-pixel picture, scaled to the list's 16.
  EXPECT_TRUE(list.AddFromResourceID(101, program, win::IMAGE_ICON, u"SEAL"));
  ASSERT_EQ(list.ImageCount(), 1);
  EXPECT_EQ(PixelOf(list, 1, 0, 0), 0x2A7F3Cu);
  EXPECT_EQ(PixelOf(list, 1, 15, 15), 0x2A7F3Cu);
  // Its bitmap 102 is two images wide; the top-left colour is see-through.
  EXPECT_TRUE(list.AddFromResourceID(102, program, win::IMAGE_BITMAP, u"STRIP"));
  ASSERT_EQ(list.ImageCount(), 3);
  Surface c(16, 16, win::RGB(0xAB, 0xCD, 0xEF));
  list.DrawImage(u"STRIP", c.dc, 0, 0);
  list.DrawImage(3, c.dc, 8, 0);
  EXPECT_EQ(c.at(0, 5), win::RGB(0xAB, 0xCD, 0xEF));
  EXPECT_EQ(c.at(9, 5), win::RGB(255, 0, 0));
  // Inserted after the first image, with its key.
  EXPECT_TRUE(list.AddFromResourceID(101, program, win::IMAGE_ICON, u"SEAL2", false, -1, ImageRef(u"SEAL")));
  EXPECT_EQ(list.ItemIndex(u"SEAL2"), 2);
  // A resource the program does not carry, one of another type, or another module's add nothing.
  EXPECT_FALSE(list.AddFromResourceID(999, program, win::IMAGE_ICON, u"NONE"));
  EXPECT_FALSE(list.AddFromResourceID(101, program, win::IMAGE_CURSOR, u"CURSOR"));
  EXPECT_FALSE(list.AddFromResourceID(101, 0, win::IMAGE_ICON, u"NOMODULE"));
  EXPECT_EQ(list.ImageCount(), 4);
  clsImageList none;
  EXPECT_FALSE(none.AddFromResourceID(101, program, win::IMAGE_ICON));
}

TEST(ImageList, DrawingLooks) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  AddSolid(list, 0x000000, u"BLACK");
  clsImageList other;
  ASSERT_TRUE(other.Create());
  AddSolid(other, 0xFFFFFF, u"WHITE");
  Surface c(16, 16, win::RGB(128, 128, 128));
  list.DrawImage(u"BLACK", c.dc, 0, 0, false, true, false, 0xFFFFFF);  // cut: half white
  EXPECT_EQ(c.at(3, 3), 0x808080u);
  // Disabled from the other list: its white picture has no ink, so nothing is drawn.
  list.DrawImage(u"BLACK", c.dc, 0, 0, false, false, true, win::CLR_NONE, other.hIml());
  EXPECT_EQ(c.at(3, 3), 0x808080u);
  list.DrawImage(u"BLACK", c.dc, 0, 0, false, false, true);  // own list: ink in the 3-D shadow colour
  EXPECT_EQ(c.at(3, 3), win::GetSysColor(win::COLOR_3DSHADOW) & 0xFFFFFF);
  list.DrawImage(u"missing", c.dc, 0, 0);
  list.DrawImage(u"BLACK", c.dc, 0, 0);
  EXPECT_EQ(c.at(3, 3), 0u);
}

TEST(ImageList, PicturesOfImagesAndStrips) {
  clsImageList list;
  ASSERT_TRUE(list.Create());
  AddSolid(list, 0x0000AA, u"A");
  EXPECT_EQ(list.ImagePictureStrip(), nullptr);
  AddSolid(list, 0x0000BB, u"B");
  AddSolid(list, 0x0000CC, u"C");
  const vb::Picture strip = list.ImagePictureStrip(ImageRef(u"B"), std::nullopt, 0x00FFFFFF);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->Type(), vb::vbPicTypeBitmap);
  EXPECT_EQ(strip->WidthPixels(), 48);
  EXPECT_EQ(strip->HeightPixels(), 16);
  const vb::Picture icon = list.ItemPicture(u"C");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Type(), vb::vbPicTypeIcon);
  EXPECT_EQ(list.ItemPicture(u"missing"), nullptr);
  EXPECT_EQ(list.ItemCopyOfIcon(u"missing"), 0);
  const win::HICON copy = list.ItemCopyOfIcon(1);
  EXPECT_NE(copy, 0);
  EXPECT_TRUE(win::DestroyIcon(copy));
  EXPECT_GE(list.SystemColourDepth(), 24);
}

}  // namespace

TEST(ImageList, ACellOfAPictureBoxIsAddedAtTheListsImageSize) {
  struct frmStrip : vb::Form {
    vb::PictureBox picStrip{*this};
    void Design() override { picStrip.Move(0, 0, 900, 450); }  // bordered: 56 x 26 inside
  } form;
  // The picture: red on the left half, blue on the right with a red square at (22, 2)-(26, 6).
  const win::HBITMAP bmp = win::CreateBitmap(40, 20, 1, 32, nullptr);
  {
    const win::HDC dc = win::CreateCompatibleDC(0);
    const win::HGDIOBJ old = win::SelectObject(dc, bmp);
    const auto fill = [&](win::RECT r, win::COLORREF c) {
      const win::HBRUSH b = win::CreateSolidBrush(c);
      win::FillRect(dc, &r, b);
      win::DeleteObject(b);
    };
    fill({0, 0, 20, 20}, win::RGB(255, 0, 0));
    fill({20, 0, 40, 20}, win::RGB(0, 0, 255));
    fill({22, 2, 26, 6}, win::RGB(255, 0, 0));
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
  }
  form.picStrip.Picture(std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, bmp));
  clsImageList list;
  EXPECT_EQ(list.AddFromPictureBox(form.picStrip.hDC(), form.picStrip, u"CELL", 20), 0);  // no list
  list.SetIconSizeX(20);
  list.SetIconSizeY(20);
  ASSERT_TRUE(list.Create());
  ASSERT_TRUE(AddSolid(list, 0x00FF00));
  // The whole 20 x 20 cell, red (the box's top-left colour) see-through.
  EXPECT_EQ(list.AddFromPictureBox(form.picStrip.hDC(), form.picStrip, u"CELL", 20), 2);
  EXPECT_EQ(list.ItemIndex(u"CELL"), 2);
  {
    Surface c(20, 20);
    list.DrawImage(2, c.dc, 0, 0);
    EXPECT_EQ(c.at(3, 3), 0xFFFFFFu);   // the red square
    EXPECT_EQ(c.at(10, 10), win::RGB(0, 0, 255));
    EXPECT_EQ(c.at(19, 19), win::RGB(0, 0, 255));  // beyond 16 pixels
  }
  // Where the picture ends the cell keeps the back colour; a duplicate key stays off the image.
  EXPECT_EQ(list.AddFromPictureBox(form.picStrip.hDC(), form.picStrip, u"CELL", 30, 0, 0x00FF00), 3);
  EXPECT_EQ(list.ItemKey(3), u"");
  EXPECT_EQ(PixelOf(list, 3, 5, 5), 0x0000FFu);
  EXPECT_TRUE(PixelsOf(list, 3).clear[15]);  // (15, 0): green, the back colour
  form.Terminate();
}

TEST(ImageList, AnItemPictureIsShownByAPictureBox) {
  struct frmShow : vb::Form {
    vb::PictureBox picIcon{*this};
    void Design() override {
      picIcon.BorderStyle(0);
      picIcon.BackColor(win::RGB(255, 255, 255));
      picIcon.Move(0, 0, 600, 600);
    }
  } form;
  clsImageList list;
  ASSERT_TRUE(list.Create());
  const win::HICON icon = MakeIcon(16, 16, [](int, int) { return 0xFF0000FFu; }, [](int x, int) { return x >= 8; });
  ASSERT_TRUE(list.AddFromHandle(icon, win::IMAGE_ICON, u"HALF"));
  win::DestroyIcon(icon);
  form.picIcon.Picture(list.ItemPicture(u"HALF"));
  EXPECT_EQ(form.picIcon.Point(2 * 15, 2 * 15), 0xFF0000);   // blue (0x00BBGGRR)
  EXPECT_EQ(form.picIcon.Point(12 * 15, 2 * 15), 0xFFFFFF);  // see-through: the back colour
  form.Terminate();
}
