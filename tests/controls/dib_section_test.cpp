#include "controls/dib_section.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/vb/error.h"
#include "support.h"
#include "support_gdi.h"

using controls::pcDibSection;
using controls::pcMemDC;

using qmtest::FillDib;

namespace {

std::uint32_t U32(const std::vector<unsigned char>& v, size_t at) {
  return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<std::uint32_t>(v[at + 3]) << 24);
}

// The pixel at (x, y) counted from the top of the picture.
std::uint8_t* At(pcDibSection& d, int x, int y) {
  return d.DIBSectionBitsPtr() + ((d.Height() - 1 - y) * d.Width() + x) * 4;
}

}  // namespace

TEST(DibSection, SavedBitmapFileIsTheHeaderTheInformationAndThePixels) {
  qmtest::TempDir dir;
  pcDibSection d;
  ASSERT_TRUE(d.Create(10, 10));
  EXPECT_EQ(d.BytesPerScanLine(), 40);
  for (int i = 0; i < 400; ++i) d.DIBSectionBitsPtr()[i] = static_cast<std::uint8_t>(i * 7);
  const auto path = dir.path() / "ten.bmp";
  {
    std::ofstream longer(path, std::ios::binary);
    longer << std::string(1000, 'x');
  }
  ASSERT_TRUE(d.SavePicture(vb::FromUtf8(path.string())));
  const auto file = qmtest::ReadBytes<std::vector<std::uint8_t>>(path);
  ASSERT_EQ(file.size(), 458u) << "an existing longer file is cut to the new length";
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), 458u);
  EXPECT_EQ(U32(file, 6), 0u);
  EXPECT_EQ(U32(file, 10), 58u);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U32(file, 18), 10u);
  EXPECT_EQ(U32(file, 22), 10u);
  EXPECT_EQ(file[26] | (file[27] << 8), 1);
  EXPECT_EQ(file[28] | (file[29] << 8), 32);
  EXPECT_EQ(U32(file, 30), 0u);
  EXPECT_EQ(U32(file, 34), 400u);
  for (size_t i = 38; i < 58; ++i) EXPECT_EQ(file[i], 0) << i;
  for (int i = 0; i < 400; ++i) ASSERT_EQ(file[58 + i], static_cast<unsigned char>(i * 7)) << i;
}

TEST(DibSection, SavingWhereNoFileCanBeMadeRaises17AndAnEmptySectionSavesNothing) {
  qmtest::TempDir dir;
  pcDibSection d;
  EXPECT_FALSE(d.SavePicture(vb::FromUtf8((dir.path() / "empty.bmp").string())));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "empty.bmp"));
  ASSERT_TRUE(d.Create(2, 2));
  try {
    d.SavePicture(vb::FromUtf8((dir.path() / "no" / "such" / "x.bmp").string()));
    FAIL() << "no error raised";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 17);
    EXPECT_TRUE(e.Source.ends_with(u".cDIBSection"));
    EXPECT_FALSE(e.Description.empty());
    EXPECT_LE(e.Description.size(), 256u);
  }
}

// The picture is written as documents are: a write that fails (a file size limit standing in for a
// full disk) leaves the old file as it was, and nothing beside it.
TEST(DibSection, AFailedSaveLeavesTheOldFile) {
  qmtest::TempDir dir;
  const auto path = dir.path() / "keep.bmp";
  qmtest::WriteBytes(path, "the old picture");
  pcDibSection d;
  ASSERT_TRUE(d.Create(100, 100));
  bool saved = true;
  {
    const qmtest::FileSizeLimit limit(1024);
    try {
      saved = d.SavePicture(vb::FromUtf8(path.string()));
    } catch (const vb::Error& e) {
      saved = false;
      EXPECT_EQ(e.Number, 17);
    }
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(qmtest::ReadBytes(path), "the old picture");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
  ASSERT_TRUE(d.SavePicture(vb::FromUtf8(path.string())));
  EXPECT_EQ(std::filesystem::file_size(path), 58u + 40000u);
}

TEST(DibSection, CodeAlphaBlendRoundsHalvesToEvenAndStaysInsideBothPictures) {
  pcDibSection dst, src;
  ASSERT_TRUE(dst.Create(4, 4));
  ASSERT_TRUE(src.Create(2, 2));
  FillDib(dst, 0, 0, 0, 77);
  FillDib(src, 255, 255, 255, 0);
  dst.CodeAlphaBlend(dst, src, 0, 0, -1, -1, 128);
  EXPECT_EQ(At(dst, 0, 3)[0], 128);  // rows count from the bottom line
  EXPECT_EQ(At(dst, 1, 2)[2], 128);
  EXPECT_EQ(At(dst, 0, 3)[3], 77) << "the fourth byte is not changed";
  EXPECT_EQ(At(dst, 2, 3)[0], 0);
  EXPECT_EQ(At(dst, 0, 1)[0], 0);

  FillDib(dst, 10, 10, 10, 0);
  dst.CodeAlphaBlend(dst, src, 3, 3, 5, 5, 255);  // mostly outside the destination and the source
  EXPECT_EQ(At(dst, 3, 0)[0], 255);
  EXPECT_EQ(At(dst, 2, 0)[0], 10);
  dst.CodeAlphaBlend(dst, src, -10, -10, -1, -1, 255);
  dst.CodeAlphaBlend(dst, src, 0, 0, -1, -1, 0);
  EXPECT_EQ(At(dst, 0, 3)[0], 10);

  pcDibSection empty;
  dst.CodeAlphaBlend(dst, empty, 0, 0, -1, -1, 255);
  EXPECT_EQ(At(dst, 0, 3)[0], 10);
}

TEST(DibSection, LightenAndModifyHlsWorkOnLightness) {
  pcDibSection d;
  ASSERT_TRUE(d.Create(2, 1));
  FillDib(d, 102, 102, 102, 9);  // lightness 0.4
  d.Lighten(100);
  EXPECT_EQ(At(d, 0, 0)[0], 204);
  EXPECT_EQ(At(d, 0, 0)[3], 9);
  FillDib(d, 51, 51, 153, 0);
  d.Lighten(200);
  EXPECT_EQ(std::vector<int>(At(d, 1, 0), At(d, 1, 0) + 3), (std::vector<int>{255, 255, 255}));

  FillDib(d, 40, 200, 90, 0);
  d.ModifyHLS(1, 1, 0);
  const std::uint8_t* p = At(d, 0, 0);
  EXPECT_EQ(p[0], p[1]);
  EXPECT_EQ(p[1], p[2]);
  EXPECT_EQ(p[0], 120) << "grey at the pixel's own lightness (40 + 200) / 2";
  d.ModifyHLS(-3, 1e9f, -1);  // factors held: no hue, full lightness
  EXPECT_EQ(At(d, 0, 0)[0], 255);
}

TEST(DibSection, ResampleInterpolatesAndHoldsTheLastRowAndColumn) {
  pcDibSection d;
  ASSERT_TRUE(d.Create(2, 1));
  FillDib(d, 0, 0, 0, 0);
  d.DIBSectionBitsPtr()[4] = 200;
  auto wide = d.Resample(1, 4);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->Width(), 4);
  std::vector<int> blues;
  for (int x = 0; x < 4; ++x) blues.push_back(wide->DIBSectionBitsPtr()[x * 4]);
  EXPECT_EQ(blues, (std::vector<int>{0, 50, 100, 150}));

  auto same = d.Resample(1, 2);
  ASSERT_TRUE(same);
  EXPECT_EQ(std::vector<std::uint8_t>(same->DIBSectionBitsPtr(), same->DIBSectionBitsPtr() + 8),
            std::vector<std::uint8_t>(d.DIBSectionBitsPtr(), d.DIBSectionBitsPtr() + 8));

  pcDibSection one;
  ASSERT_TRUE(one.Create(1, 1));
  FillDib(one, 1, 2, 3, 4);
  auto big = one.Resample(3, 3);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->DIBSectionBitsPtr()[8 * 4 + 2], 3);
  pcDibSection empty;
  EXPECT_FALSE(empty.Resample(2, 2));
}

TEST(DibSection, RandomColoursNeverExceedTheirAlpha) {
  pcDibSection d;
  ASSERT_TRUE(d.Create(16, 16));
  d.RandomiseBits(false);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* p = d.DIBSectionBitsPtr() + i * 4;
    ASSERT_LE(std::max({p[0], p[1], p[2]}), p[3]);
  }
  d.RandomiseBits(true);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* p = d.DIBSectionBitsPtr() + i * 4;
    ASSERT_EQ(p[0], p[1]);
    ASSERT_EQ(p[1], p[2]);
    ASSERT_LE(p[0], p[3]);
  }
  d.Clear();
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(d.DIBSectionBitsPtr()[i], 0);
}

TEST(DibSection, PicturesComeInFromBitmapsAndGoOutPlainOrBlended) {
  win::HDC screen = win::CreateDC("DISPLAY", "", "", nullptr);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(screen, 3, 2);
  win::HDC mem = win::CreateCompatibleDC(screen);
  win::HGDIOBJ old = win::SelectObject(mem, bmp);
  win::SetPixel(mem, 2, 0, win::RGB(7, 8, 9));
  win::SelectObject(mem, old);
  pcDibSection d;
  ASSERT_TRUE(d.CreateFromHBitmap(bmp));
  EXPECT_EQ(d.Width(), 3);
  EXPECT_EQ(At(d, 2, 0)[2], 7);

  old = win::SelectObject(mem, bmp);
  d.UseDrawDib(true);
  ASSERT_TRUE(d.UseDrawDib());
  At(d, 0, 1)[1] = 50;
  d.PaintPicture(mem, 0, 0, -1, -1, 0, 0, win::SRCCOPY);
  EXPECT_EQ(win::GetPixel(mem, 0, 1), win::RGB(0, 50, 0));
  EXPECT_EQ(win::GetPixel(mem, 2, 0), win::RGB(7, 8, 9));
  ASSERT_TRUE(d.Create(3, 2)) << "a new picture keeps the drawing service";
  EXPECT_TRUE(d.UseDrawDib());
  d.ClearUp();
  EXPECT_FALSE(d.UseDrawDib());

  ASSERT_TRUE(d.Create(1, 1));
  At(d, 0, 0)[2] = 100, At(d, 0, 0)[3] = 100;  // premultiplied red at alpha 100
  win::RECT all{0, 0, 3, 2};
  win::FillRect(mem, &all, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  d.AlphaPaintPicture(mem, 0, 0, -1, -1, 0, 0, 255);
  EXPECT_EQ(win::GetPixel(mem, 0, 0), win::RGB(255, 155, 155));
  win::SelectObject(mem, old);
  win::DeleteDC(mem);
  win::DeleteObject(bmp);
  win::DeleteDC(screen);
}

TEST(MemDC, TheBufferGrowsOnlyWhenARequestDoesNotFit) {
  pcMemDC m;
  win::HDC first = m.hdc(200, 30);
  ASSERT_NE(first, 0);
  EXPECT_EQ(m.hdc(100, 20), first);
  EXPECT_EQ(m.Width(), 200);
  EXPECT_EQ(m.Height(), 30);
  win::HDC second = m.hdc(300, 10);
  ASSERT_NE(second, 0);
  EXPECT_EQ(m.Width(), 300);
  EXPECT_EQ(m.Height(), 10);
  EXPECT_EQ(win::GetObjectType(first), 0u) << "the old buffer is freed";
  win::SetPixel(second, 299, 9, win::RGB(1, 2, 3));
  pcDibSection out;
  ASSERT_TRUE(out.Create(300, 10));
  m.Draw(out.hdc(), 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(win::GetPixel(out.hdc(), 299, 9), win::RGB(1, 2, 3));
}
