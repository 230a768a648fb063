#include "commandbars/alpha_dib_section.h"

#include <gtest/gtest.h>

#include <vector>

#include "support.h"
#include "support_gdi.h"

using commandbars::cAlphaDIBSection;
using qmtest::FillDib;

namespace {
std::vector<int> Px(const cAlphaDIBSection& d, int i) {
  const std::uint8_t* p = d.DIBSectionBitsPtr() + i * 4;
  return {p[0], p[1], p[2], p[3]};
}
}  // namespace

TEST(AlphaDibSection, SavesTheSameFileLayout) {
  qmtest::TempDir dir;
  cAlphaDIBSection d;
  ASSERT_TRUE(d.Create(10, 5));
  EXPECT_EQ(d.BytesPerScanLine(), 40);
  EXPECT_EQ(d.Info().bmiHeader.biSizeImage, 200u);
  FillDib(d, 1, 2, 3, 4);
  const auto path = dir.path() / "a.bmp";
  ASSERT_TRUE(d.SavePicture(vb::FromUtf8(path.string())));
  const auto file = qmtest::ReadBytes<std::vector<std::uint8_t>>(path);
  ASSERT_EQ(file.size(), 258u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(file[10], 58);
  EXPECT_EQ(std::vector<int>(file.begin() + 58, file.begin() + 62), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(std::vector<int>(file.end() - 4, file.end()), (std::vector<int>{1, 2, 3, 4}));
}

TEST(AlphaDibSection, PremultiplicationTruncates) {
  cAlphaDIBSection d;
  ASSERT_TRUE(d.Create(3, 1));
  std::uint8_t* p = d.DIBSectionBitsPtr();
  const std::uint8_t in[] = {200, 100, 50, 128, 9, 8, 7, 255, 9, 8, 7, 0};
  std::copy(std::begin(in), std::end(in), p);
  d.PreMultiplyAlpha();
  EXPECT_EQ(Px(d, 0), (std::vector<int>{100, 50, 25, 128}));
  EXPECT_EQ(Px(d, 1), (std::vector<int>{9, 8, 7, 255}));
  EXPECT_EQ(Px(d, 2), (std::vector<int>{0, 0, 0, 0}));
}

TEST(AlphaDibSection, HueAndSaturationAdjustments) {
  cAlphaDIBSection d;
  ASSERT_TRUE(d.Create(2, 1));
  FillDib(d, 40, 200, 90, 33);
  d.AdjustHLS(-1, -1, 0.5f);
  EXPECT_EQ(Px(d, 0), (std::vector<int>{40, 200, 90, 33}));
  d.AdjustHLS(-1, 0, 0);
  EXPECT_EQ(Px(d, 1), (std::vector<int>{120, 120, 120, 33}));
  FillDib(d, 0, 0, 255, 0);
  d.AdjustHLS(255, -1, 0);  // hue 255 x 6 / 255 - 1 = 5: magenta
  EXPECT_EQ(Px(d, 0), (std::vector<int>{255, 0, 255, 0}));
  d.AdjustHLS(-1, -1, 0.5f);
  EXPECT_EQ(Px(d, 0), (std::vector<int>{255, 0, 255, 0})) << "nothing without hue or saturation";
  d.AdjustHLS(-1, 255, -0.5f);  // lightness halved: 0.25
  EXPECT_EQ(Px(d, 0), (std::vector<int>{128, 0, 128, 0}));
}

TEST(AlphaDibSection, ResampleToTheSameSizeCopiesAndExtractedBitmapsOutliveTheObject) {
  cAlphaDIBSection d;
  ASSERT_TRUE(d.Create(3, 2));
  for (int i = 0; i < 24; ++i) d.DIBSectionBitsPtr()[i] = static_cast<std::uint8_t>(i * 9);
  auto copy = d.Resample(2, 3);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(std::equal(d.DIBSectionBitsPtr(), d.DIBSectionBitsPtr() + 24, copy->DIBSectionBitsPtr()));
  auto smaller = d.Resample(1, 1);
  ASSERT_TRUE(smaller);
  EXPECT_EQ(smaller->Width(), 1);

  win::HBITMAP kept;
  {
    cAlphaDIBSection owner;
    ASSERT_TRUE(owner.Create(2, 2));
    owner.DIBSectionBitsPtr()[0] = 77;
    kept = owner.ExtractDib();
    EXPECT_EQ(owner.hdc(), 0);
    EXPECT_EQ(owner.hDib(), 0);
  }
  win::BITMAP bm;
  ASSERT_NE(win::GetObject(kept, sizeof bm, &bm), 0);
  EXPECT_EQ(static_cast<std::uint8_t*>(bm.bmBits)[0], 77);
  EXPECT_TRUE(win::DeleteObject(kept));
}

TEST(AlphaDibSection, PictureIsAnIndependentCopyThatComesBackIn) {
  cAlphaDIBSection d;
  EXPECT_EQ(d.Picture(), nullptr);
  ASSERT_TRUE(d.Create(2, 2));
  FillDib(d, 5, 6, 7, 8);
  vb::Picture pic = d.Picture();
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->WidthPixels(), 2);
  FillDib(d, 0, 0, 0, 0);
  cAlphaDIBSection back;
  ASSERT_TRUE(back.CreateFromPicture(pic));
  EXPECT_EQ(Px(back, 3), (std::vector<int>{5, 6, 7, 8}));
}

TEST(AlphaDibSection, PaintingBlendsByConstantOrPerPixelAlpha) {
  cAlphaDIBSection d;
  ASSERT_TRUE(d.Create(1, 1));
  FillDib(d, 0, 0, 100, 100);
  qmtest::Surface s(2, 1, win::RGB(0, 0, 200));
  d.AlphaPaintPicture(s.dc, 0, 0, -1, -1, 0, 0, 255, true);
  d.AlphaPaintPicture(s.dc, 1, 0, -1, -1, 0, 0, 51, false);
  EXPECT_EQ(s.at(0, 0), win::RGB(100, 0, 122));  // 100 + 0 * 155/255; blue 200 * 155 / 255
  EXPECT_EQ(s.at(1, 0), win::RGB(20, 0, 160));   // (100 * 51 + 0 * 204) / 255; 200 * 204 / 255
  d.ClearUp();
  d.AlphaPaintPicture(s.dc);  // an empty section draws nothing
  EXPECT_EQ(s.at(0, 0), win::RGB(100, 0, 122));
}
