#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/theme.h"
#include "platform/testing/gdi.h"
#include "platform/win/monitor.h"
#include "support.h"
#include "support_gdi.h"

using namespace win;

using qmtest::IconFile;
using qmtest::IconPicture;
using qmtest::Put16;
using qmtest::Put32;

namespace {

// 16 x 16, four colours: left half red, right half see-through, a black pixel at (0, 0), grey 192
// at (1, 0).
IconPicture Small() {
  IconPicture p{16, 4, std::vector<unsigned>(256, 1), std::vector<int>(256, 0), {0x000000, 0xFF0000, 0xC0C0C0}};
  for (int y = 0; y < 16; ++y)
    for (int x = 8; x < 16; ++x) p.pixels[y * 16 + x] = 0, p.clear[y * 16 + x] = 1;
  p.pixels[0] = 0;
  p.pixels[1] = 2;
  return p;
}

// 32 x 32 with its own alpha: blue at alpha 128, the bottom half transparent.
IconPicture Large() {
  IconPicture p{32, 32, std::vector<unsigned>(1024, 0x800000FF), std::vector<int>(1024, 0), {}};
  for (int i = 512; i < 1024; ++i) p.pixels[i] = 0, p.clear[i] = 1;
  return p;
}

std::uint32_t Crc(const std::vector<BYTE>& v, size_t from) {
  std::uint32_t c = 0xFFFFFFFF;
  for (size_t i = from; i < v.size(); ++i) {
    c ^= v[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void PutBE(std::vector<BYTE>& v, std::uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<BYTE>(x >> s));
}

// A size x size PNG of one RGBA colour, its image data in one stored (uncompressed) deflate block.
std::vector<BYTE> Png(int size, BYTE r, BYTE g, BYTE b, BYTE a) {
  std::vector<BYTE> raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);
    for (int x = 0; x < size; ++x) raw.insert(raw.end(), {r, g, b, a});
  }
  std::vector<BYTE> z = {0x78, 0x01, 0x01, static_cast<BYTE>(raw.size()), static_cast<BYTE>(raw.size() >> 8),
                         static_cast<BYTE>(~raw.size()), static_cast<BYTE>(~raw.size() >> 8)};
  z.insert(z.end(), raw.begin(), raw.end());
  std::uint32_t s1 = 1, s2 = 0;
  for (BYTE c : raw) s1 = (s1 + c) % 65521, s2 = (s2 + s1) % 65521;
  PutBE(z, (s2 << 16) | s1);
  std::vector<BYTE> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const auto chunk = [&](const char* type, const std::vector<BYTE>& data) {
    PutBE(png, static_cast<std::uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBE(png, Crc(png, start));
  };
  std::vector<BYTE> ihdr;
  PutBE(ihdr, size);
  PutBE(ihdr, size);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk("IHDR", ihdr);
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

std::string Write(const qmtest::TempDir& dir, const char* name, const std::vector<BYTE>& bytes) {
  const std::string path = (dir.path() / name).string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path;
}

struct Canvas {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bmp;
  HGDIOBJ old;
  Canvas(int w, int h, COLORREF fill) {
    HDC screen = CreateDC("DISPLAY", "", "", nullptr);
    bmp = CreateCompatibleBitmap(screen, w, h);
    DeleteDC(screen);
    old = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
};

}  // namespace

TEST(IconFiles, TheRequestedSizeIsChosenAndOthersAreScaledFromTheNearest) {
  qmtest::TempDir dir;
  const std::string path = Write(dir, "two.ico", IconFile({Small(), Large()}));
  HICON small = static_cast<HICON>(LoadImageA(0, path, IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  HICON large = static_cast<HICON>(LoadImageA(0, path, IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
  HICON scaled = static_cast<HICON>(LoadImageA(0, path, IMAGE_ICON, 24, 24, LR_LOADFROMFILE));
  ASSERT_NE(small, 0);
  ASSERT_NE(large, 0);
  ASSERT_NE(scaled, 0);
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(scaled, &ii));
  BITMAP bm;
  GetObject(ii.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 24);
  GetObject(ii.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);

  // Masked drawing: see-through pixels keep what was there.
  Canvas c(40, 40, RGB(0, 255, 0));
  ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, small, 0, 0, 0, 0, DI_NORMAL));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 2, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 8, 5), RGB(0, 255, 0));
  // Alpha drawing: blue at 128 over green.
  DrawIconEx(c.dc, 0, 0, large, 0, 0, 0, 0, DI_NORMAL);
  EXPECT_EQ(GetPixel(c.dc, 20, 3), RGB(0, 127, 128));
  EXPECT_EQ(GetPixel(c.dc, 20, 20), RGB(0, 255, 0));

  HICON copy = CopyIcon(small);
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_FALSE(DestroyIcon(small));
  Canvas c2(16, 16, RGB(9, 9, 9));
  EXPECT_TRUE(DrawIconEx(c2.dc, 0, 0, copy, 0, 0, 0, 0, DI_NORMAL)) << "a copy outlives its original";
  EXPECT_EQ(GetPixel(c2.dc, 2, 2), RGB(255, 0, 0));
  DestroyIcon(copy);
  DestroyIcon(large);
  DestroyIcon(scaled);
}

TEST(IconFiles, ThreeDimensionalGreysFollowTheSystemColoursWhenAsked) {
  qmtest::TempDir dir;
  const std::string path = Write(dir, "grey.ico", IconFile({Small()}));
  platform::testing::SetSysColor(COLOR_3DFACE, RGB(1, 2, 3));
  HICON mapped = static_cast<HICON>(LoadImageA(0, path, IMAGE_ICON, 16, 16, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
  HICON plain = static_cast<HICON>(LoadImageA(0, path, IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  platform::testing::ResetSysColors();
  Canvas c(32, 16, 0);
  DrawIconEx(c.dc, 0, 0, mapped, 0, 0, 0, 0, DI_NORMAL);
  DrawIconEx(c.dc, 16, 0, plain, 0, 0, 0, 0, DI_NORMAL);
  EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.dc, 17, 0), RGB(192, 192, 192));
  DestroyIcon(mapped);
  DestroyIcon(plain);
}

TEST(IconFiles, DamagedAndTruncatedFilesGiveNoIcon) {
  qmtest::TempDir dir;
  std::vector<BYTE> good = IconFile({Small(), Large()});
  EXPECT_EQ(LoadImageA(0, (dir.path() / "missing.ico").string(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE), 0);
  for (size_t cut : {0ul, 5ul, 20ul, 40ul, 100ul}) {
    std::vector<BYTE> part(good.begin(), good.begin() + cut);
    EXPECT_EQ(LoadImageA(0, Write(dir, "cut.ico", part), IMAGE_ICON, 16, 16, LR_LOADFROMFILE), 0) << cut;
  }
  std::vector<BYTE> huge = good;
  huge[6 + 8] = 0xFF, huge[6 + 9] = 0xFF, huge[6 + 10] = 0xFF, huge[6 + 11] = 0x7F;  // size past the end
  huge[6 + 16 + 8] = 0xFF, huge[6 + 16 + 11] = 0x7F;
  EXPECT_EQ(LoadImageA(0, Write(dir, "huge.ico", huge), IMAGE_ICON, 16, 16, LR_LOADFROMFILE), 0);
  std::vector<BYTE> wide = good;
  const size_t dib = 6 + 32;
  wide[dib + 4] = 0xFF, wide[dib + 5] = 0xFF, wide[dib + 6] = 0xFF;  // width far beyond the data
  HANDLE h = LoadImageA(0, Write(dir, "wide.ico", wide), IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
  ASSERT_NE(h, 0) << "the damaged picture is passed over for the sound one";
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(h, &ii));
  BITMAP bm;
  GetObject(ii.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(h);
}

TEST(IconFiles, PicturesStoredAsPngKeepTheirAlpha) {
  qmtest::TempDir dir;
  const std::vector<BYTE> png = Png(48, 255, 0, 0, 128);
  std::vector<BYTE> file;
  Put16(file, 0), Put16(file, 1), Put16(file, 1);
  file.insert(file.end(), {48, 48, 0, 0});
  Put16(file, 1), Put16(file, 32), Put32(file, png.size()), Put32(file, 22);
  file.insert(file.end(), png.begin(), png.end());
  HICON icon = static_cast<HICON>(LoadImageA(0, Write(dir, "png.ico", file), IMAGE_ICON, 48, 48, LR_LOADFROMFILE));
  ASSERT_NE(icon, 0);
  Canvas c(48, 48, RGB(0, 0, 255));
  DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, 0, DI_NORMAL);
  EXPECT_EQ(GetPixel(c.dc, 10, 10), RGB(128, 0, 127));
  DestroyIcon(icon);
}

TEST(IconFiles, CursorsKeepTheirHotSpotAndBitmapsTheirOwnSize) {
  qmtest::TempDir dir;
  HANDLE cur = LoadImageA(0, Write(dir, "a.cur", IconFile({Small()}, 2)), IMAGE_CURSOR, 16, 16, LR_LOADFROMFILE);
  ASSERT_NE(cur, 0);
  ICONINFO ii;
  GetIconInfo(cur, &ii);
  EXPECT_FALSE(ii.fIcon);
  EXPECT_EQ(ii.xHotspot, 3u);
  EXPECT_EQ(ii.yHotspot, 4u);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyCursor(cur);

  // A 2 x 2 24-bit bitmap file (rows padded to 8 bytes, bottom-up).
  std::vector<BYTE> bmp = {'B', 'M'};
  Put32(bmp, 14 + 40 + 16);
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40), Put32(bmp, 2), Put32(bmp, 2), Put16(bmp, 1), Put16(bmp, 24);
  for (int i = 0; i < 6; ++i) Put32(bmp, 0);
  for (BYTE b : {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}) bmp.push_back(b);
  HANDLE hb = LoadImageA(0, Write(dir, "b.bmp", bmp), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  ASSERT_NE(hb, 0);
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, hb);
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteObject(hb);
  DeleteDC(dc);
}

TEST(IconBitmaps, AnIconMadeFromItsBitmapsDrawsTheSame) {
  qmtest::TempDir dir;
  HICON a = static_cast<HICON>(LoadImageA(0, Write(dir, "s.ico", IconFile({Small()})), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(a, &ii));
  HICON b = CreateIconIndirect(&ii);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  Canvas ca(16, 16, RGB(7, 7, 7)), cb(16, 16, RGB(7, 7, 7));
  DrawIconEx(ca.dc, 0, 0, a, 0, 0, 0, 0, DI_NORMAL);
  DrawIconEx(cb.dc, 0, 0, b, 0, 0, 0, 0, DI_NORMAL);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(GetPixel(ca.dc, x, y), GetPixel(cb.dc, x, y)) << x << "," << y;
  DestroyIcon(a);
  DestroyIcon(b);
}

TEST(DisabledLook, InkIsDrawnInHighlightOffsetThenShadowInPlace) {
  qmtest::TempDir dir;
  HICON icon = static_cast<HICON>(LoadImageA(0, Write(dir, "s.ico", IconFile({Small()})), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  Canvas c(20, 20, RGB(0, 255, 0));
  ASSERT_TRUE(DrawState(c.dc, 0, nullptr, icon, 0, 1, 1, 16, 16, DST_ICON | DSS_DISABLED));
  EXPECT_EQ(GetPixel(c.dc, 1, 1), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(GetPixel(c.dc, 9, 5), GetSysColor(COLOR_3DHILIGHT)) << "the column right of the ink, offset";
  EXPECT_EQ(GetPixel(c.dc, 10, 5), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 255, 0));
  DestroyIcon(icon);
}

TEST(ImageLists, ImagesAreAddedSwappedRemovedAndDrawn) {
  qmtest::TempDir dir;
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
  HICON icon = static_cast<HICON>(LoadImageA(0, Write(dir, "s.ico", IconFile({Small(), Large()})), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
  EXPECT_EQ(ImageList_AddIcon(list, icon), 0) << "a 32-pixel icon is scaled into the list";
  // A strip of two cells: magenta is the mask colour.
  Canvas strip(32, 16, RGB(255, 0, 255));
  SetPixel(strip.dc, 20, 3, RGB(10, 20, 30));
  SelectObject(strip.dc, strip.old);
  EXPECT_EQ(ImageList_AddMasked(list, strip.bmp, RGB(255, 0, 255)), 1);
  strip.old = SelectObject(strip.dc, strip.bmp);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 16);
  RECT r;
  ASSERT_TRUE(ImageList_GetImageRect(list, 2, &r));
  EXPECT_EQ(r.right - r.left, 16);

  Canvas c(16, 16, RGB(0, 255, 0));
  ImageList_Draw(list, 2, c.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(c.dc, 4, 3), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 255, 0));

  ASSERT_TRUE(ImageList_Copy(list, 0, list, 2, ILCF_SWAP));
  HICON back = ImageList_GetIcon(list, 0, ILD_TRANSPARENT);
  Canvas c2(16, 16, RGB(0, 255, 0));
  DrawIconEx(c2.dc, 0, 0, back, 0, 0, 0, 0, DI_NORMAL);
  EXPECT_EQ(GetPixel(c2.dc, 4, 3), RGB(10, 20, 30));
  DestroyIcon(back);

  // Half-blended with the foreground: (c + f + 1) / 2 per channel.
  Canvas c3(16, 16, RGB(0, 255, 0));
  ImageList_DrawEx(list, 0, c3.dc, 0, 0, 0, 0, CLR_NONE, RGB(255, 255, 255), ILD_TRANSPARENT | ILD_BLEND50);
  EXPECT_EQ(GetPixel(c3.dc, 4, 3), RGB(133, 138, 143));
  EXPECT_EQ(GetPixel(c3.dc, 0, 0), RGB(0, 255, 0));

  ASSERT_TRUE(ImageList_Remove(list, 1));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_FALSE(ImageList_Remove(list, 5));
  ASSERT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  DestroyIcon(icon);
}

TEST(Themes, TheServiceCanBeSwitchedOffAndNamesItsColourScheme) {
  HTHEME t = OpenThemeData(0, u"TOOLBAR");
  ASSERT_NE(t, 0);
  char16_t file[260], colour[260];
  ASSERT_EQ(GetCurrentThemeName(file, 260, colour, 260, nullptr, 0), S_OK);
  EXPECT_EQ(std::u16string(colour), u"NormalColor");
  Canvas c(10, 10, RGB(0, 0, 0));
  RECT r{0, 0, 10, 10}, clip{0, 0, 5, 10};
  EXPECT_EQ(DrawThemeBackground(t, c.dc, TP_BUTTON, TS_HOT, &r, &clip), S_OK);
  EXPECT_NE(GetPixel(c.dc, 2, 2), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 7, 2), RGB(0, 0, 0)) << "held inside the clip rectangle";
  EXPECT_EQ(CloseThemeData(t), S_OK);

  HTHEME p = OpenThemeData(0, u"Progress");
  int chunk = 0, space = 0;
  EXPECT_EQ(GetThemeInt(p, 0, 0, TMT_PROGRESSCHUNKSIZE, &chunk), S_OK);
  EXPECT_EQ(GetThemeInt(p, 0, 0, TMT_PROGRESSSPACESIZE, &space), S_OK);
  EXPECT_GT(chunk, space);
  CloseThemeData(p);

  platform::testing::SetTheme(true, u"Metallic");
  GetCurrentThemeName(file, 260, colour, 4, nullptr, 0);
  EXPECT_EQ(std::u16string(colour), u"Met");
  platform::testing::SetTheme(false);
  EXPECT_EQ(OpenThemeData(0, u"TOOLBAR"), 0);
  EXPECT_NE(GetCurrentThemeName(file, 260, colour, 260, nullptr, 0), S_OK);
  platform::testing::SetTheme(true);
}

TEST(Monitors, PointsAndWindowsFindTheirMonitorWithoutFallbackUnlessAsked) {
  platform::testing::SetMonitorProvider([] {
    return std::vector<platform::testing::Monitor>{
        {RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 738}, true, u"\\\\.\\DISPLAY1"},
        {RECT{1024, 0, 2048, 768}, RECT{1100, 0, 2048, 768}, false, u"\\\\.\\DISPLAY2"}};
  });
  HMONITOR second = MonitorFromPoint(POINT{1500, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(second, 0);
  MONITORINFOEXW mi;
  ASSERT_TRUE(GetMonitorInfoW(second, &mi));
  EXPECT_EQ(mi.rcWork.left, 1100);
  EXPECT_EQ(mi.dwFlags, 0u);
  EXPECT_EQ(std::u16string(mi.szDevice), u"\\\\.\\DISPLAY2");
  EXPECT_EQ(MonitorFromPoint(POINT{-5, 10}, MONITOR_DEFAULTTONULL), 0);
  HMONITOR near = MonitorFromPoint(POINT{-5, 10}, MONITOR_DEFAULTTONEAREST);
  MONITORINFO plain;
  ASSERT_TRUE(GetMonitorInfoW(near, &plain));
  EXPECT_EQ(plain.dwFlags, MONITORINFOF_PRIMARY);
  MONITORINFO wrong;
  wrong.cbSize = 12;
  EXPECT_FALSE(GetMonitorInfoW(near, &wrong));
  platform::testing::SetMonitorProvider(nullptr);
  EXPECT_NE(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL), 0) << "the offscreen screen";
}
