// Image list files: what is written, what comes back, and files that must be refused.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>

#include "controls/image_list.h"
#include "controls/image_list_file.h"
#include "image_list_support.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "support.h"

namespace {

using namespace controls;
using namespace qmtest;

std::u16string Path(const TempDir& dir, const char* name) { return vb::FromUtf8((dir.path() / name).string()); }

std::int32_t I32(const std::vector<std::uint8_t>& b, size_t at) {
  std::int32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

// A list of `size` images whose pixels differ from image to image, with a see-through corner.
void Fill(clsImageList& list, int size, const std::vector<std::u16string>& keys) {
  list.SetIconSizeX(size);
  list.SetIconSizeY(size);
  ASSERT_TRUE(list.Create());
  for (size_t i = 0; i < keys.size(); ++i) {
    const auto k = static_cast<std::uint32_t>(i);
    const win::HICON icon = MakeIcon(
        size, size, [&](int x, int y) { return 0xFF000000u | (k * 40 << 16) | (static_cast<std::uint32_t>(x) << 8) | y; },
        [](int x, int y) { return x < 2 && y < 2; });
    ASSERT_TRUE(list.AddFromHandle(icon, win::IMAGE_ICON, keys[i]));
    win::DestroyIcon(icon);
  }
}

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    EXPECT_TRUE(e.Source.ends_with(u".kestImageList"));
    return e.Number;
  }
  return 0;
}

TEST(ImageListFile, LayoutOfTwoSixteenPixelIcons) {
  TempDir dir;
  clsImageList list;
  Fill(list, 16, {u"NEW", u"OPEN"});
  ASSERT_TRUE(list.SaveToFile(Path(dir, "two.iml")));
  const auto b = ReadBytes<std::vector<std::uint8_t>>(dir.path() / "two.iml");
  ASSERT_GE(b.size(), 12u);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 4), (std::vector<std::uint8_t>{0x56, 0xE4, 0x45, 0x57}));
  EXPECT_EQ(I32(b, 4), 3 * 65536 + 0);
  const std::int32_t d = I32(b, 8);
  EXPECT_EQ(d, 2 * (12 + (24 + 1024) + (24 + 64)));
  EXPECT_EQ(I32(b, 12 + 16), 16);  // first record's colour width, height
  EXPECT_EQ(I32(b, 12 + 20), 16);
  ASSERT_EQ(b.size(), static_cast<size_t>(12 + d + 4 + 10));
  EXPECT_EQ(I32(b, 12 + d), 10);
  const std::vector<std::uint8_t> keys(b.begin() + 16 + d, b.end());
  EXPECT_EQ(keys, (std::vector<std::uint8_t>{'N', 'E', 'W', 0xFF, 'O', 'P', 'E', 'N', 0xFF, 0xFF}));
}

TEST(ImageListFile, IconsOfSeveralSizesComeBackWithTheirKeys) {
  TempDir dir;
  for (int size : {16, 24, 32, 48, 64}) {
    clsImageList saved;
    Fill(saved, size, {u"NEW", u"", u"Открыть", u"X", u"PRINTSETTINGS"});
    const std::u16string path = Path(dir, "sizes.iml");
    ASSERT_TRUE(saved.SaveToFile(path));
    clsImageList loaded;
    loaded.SetIconSizeX(size);
    loaded.SetIconSizeY(size);
    ASSERT_TRUE(loaded.Create());
    AddSolid(loaded, 0x010203, u"OLD");
    AddSolid(loaded, 0x010203, u"NEW");  // the file's "NEW" finds it taken
    ASSERT_TRUE(loaded.LoadFromFile(path));
    ASSERT_EQ(loaded.ImageCount(), 7) << size;
    EXPECT_EQ(loaded.ItemKey(3), u"") << "a key another image holds is not given";
    EXPECT_EQ(loaded.ItemIndex(u"Открыть"), 5);
    EXPECT_EQ(loaded.ItemIndex(u"X"), 6) << "one-character keys are kept";
    EXPECT_EQ(loaded.ItemIndex(u"PRINTSETTINGS"), 7);
    EXPECT_EQ(loaded.ItemKey(4), u"");
    for (int i = 1; i <= 5; ++i) {
      const ImagePixels a = PixelsOf(saved, i);
      const ImagePixels b = PixelsOf(loaded, i + 2);
      EXPECT_EQ(a.colour, b.colour) << size << " image " << i;
      EXPECT_EQ(a.clear, b.clear) << size << " image " << i;
    }
    EXPECT_TRUE(PixelsOf(loaded, 3).clear[0]);
  }
}

TEST(ImageListFile, KeysAreWrittenInWindows1251) {
  TempDir dir;
  clsImageList list;
  const std::u16string key = u"Ёлка №1 «ёж» Ђ";
  Fill(list, 16, {key});
  ASSERT_TRUE(list.SaveToFile(Path(dir, "cp.iml")));
  const auto b = ReadBytes<std::vector<std::uint8_t>>(dir.path() / "cp.iml");
  const std::string utf8 = vb::ToUtf8(key);
  std::string expected(64, '\0');
  iconv_t cd = iconv_open("CP1251", "UTF-8");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* out = expected.data();
  size_t outLeft = expected.size();
  ASSERT_NE(iconv(cd, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1));
  iconv_close(cd);
  expected.resize(expected.size() - outLeft);
  expected += "\xFF\xFF";
  const std::string written(b.end() - static_cast<std::ptrdiff_t>(expected.size()), b.end());
  EXPECT_EQ(written, expected);
}

TEST(ImageListFile, KeysTheFileCannotHoldAreRefusedAndNothingIsWritten) {
  TempDir dir;
  const auto path = dir.path() / "keep.iml";
  WriteBytes(path, {1, 2, 3});
  for (const std::u16string& bad : {std::u16string(u"Моя"), std::u16string(u"中文")}) {
    clsImageList list;
    Fill(list, 16, {u"A", bad});
    try {
      list.SaveToFile(vb::FromUtf8(path.string()));
      ADD_FAILURE();
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number, 5);
      EXPECT_NE(e.Description.find(bad), std::u16string::npos);
    }
    EXPECT_EQ(ReadBytes<std::vector<std::uint8_t>>(path), (std::vector<std::uint8_t>{1, 2, 3}));
  }
}

TEST(ImageListFile, WritingReplacesALongerFileAndAnEmptyListIsRefused) {
  TempDir dir;
  const std::u16string path = Path(dir, "t.iml");
  clsImageList big;
  Fill(big, 32, {u"A", u"B", u"C"});
  ASSERT_TRUE(big.SaveToFile(path));
  clsImageList small;
  Fill(small, 16, {u"A"});
  ASSERT_TRUE(small.SaveToFile(path));
  EXPECT_EQ(ReadBytes<std::vector<std::uint8_t>>(dir.path() / "t.iml").size(), static_cast<size_t>(12 + 1148 + 4 + 3));
  clsImageList empty;
  ASSERT_TRUE(empty.Create());
  EXPECT_EQ(ErrorOf([&] { empty.SaveToFile(path); }), 9);
  EXPECT_EQ(ErrorOf([&] { empty.LoadFromFile(Path(dir, "missing.iml")); }), 53);
}

// A program of version 0 (or one whose version number comes out negative) writes 24-bit colour
// blocks of the reserved length, and reads them back.
TEST(ImageListFile, VersionZeroAndBelowWrite24BitColour) {
  TempDir dir;
  const int major = vb::App.Major;
  const int minor = vb::App.Minor;
  for (const int written : {0, -1}) {
    vb::App.Major = written;
    vb::App.Minor = 0;
    clsImageList saved;
    Fill(saved, 16, {u"NEW", u"OPEN"});
    const std::u16string path = Path(dir, "v0.iml");
    const bool ok = saved.SaveToFile(path);
    vb::App.Major = major;
    vb::App.Minor = minor;
    ASSERT_TRUE(ok);
    const auto b = ReadBytes<std::vector<std::uint8_t>>(dir.path() / "v0.iml");
    ASSERT_GE(b.size(), 12u);
    EXPECT_EQ(I32(b, 4), written * 65536);
    EXPECT_EQ(I32(b, 8), 2 * (12 + (24 + (3 * 16 + 3) * 16) + (24 + 64)));
    // The first pixel of the bottom row (x 0, y 15): blue, green, red, then the next pixel's blue.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 12 + 36, b.begin() + 12 + 36 + 4),
              (std::vector<std::uint8_t>{15, 0, 0, 15}));
    clsImageList loaded;
    ASSERT_TRUE(loaded.Create());
    ASSERT_TRUE(loaded.LoadFromFile(path));
    ASSERT_EQ(loaded.ImageCount(), 2);
    EXPECT_EQ(loaded.ItemIndex(u"OPEN"), 2);
    for (int i = 1; i <= 2; ++i) {
      const ImagePixels a = PixelsOf(saved, i);
      const ImagePixels c = PixelsOf(loaded, i);
      ASSERT_EQ(a.colour.size(), c.colour.size());
      for (size_t k = 0; k < a.colour.size(); ++k)
        if (!a.clear[k]) ASSERT_EQ(a.colour[k] & 0xFFFFFF, c.colour[k] & 0xFFFFFF) << written << " " << i << " " << k;
      EXPECT_EQ(a.clear, c.clear);
    }
  }
}

// The file is replaced as documents are: a write that fails (here, a file size limit standing in
// for a full disk) leaves the old file as it was, and nothing beside it.
TEST(ImageListFile, AFailedWriteLeavesTheOldFile) {
  TempDir dir;
  const auto path = dir.path() / "keep.iml";
  WriteBytes(path, "the old list");
  clsImageList list;
  Fill(list, 32, {u"A", u"B"});
  {
    const FileSizeLimit limit(1024);
    EXPECT_NE(ErrorOf([&] { list.SaveToFile(vb::FromUtf8(path.string())); }), 0);
  }
  EXPECT_EQ(ReadBytes(path), "the old list");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(ImageListFile, OlderLayoutWithoutMagicHas24BitColour) {
  // One 2 x 1 record: colour (3 * 2 + 3) * 1 = 9 bytes, mask 4 bytes.
  std::vector<std::uint8_t> area;
  for (int v : {1, 0, 0}) Put32(area, static_cast<unsigned>(v));
  for (int v : {0, 2, 1, 8}) Put32(area, static_cast<unsigned>(v));
  Put16(area, 1);
  Put16(area, 24);
  Put32(area, 0);
  for (std::uint8_t c : {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0, 0}) area.push_back(c);
  for (int v : {0, 2, 1, 4}) Put32(area, static_cast<unsigned>(v));
  Put16(area, 1);
  Put16(area, 1);
  Put32(area, 0);
  for (std::uint8_t c : {0x40, 0, 0, 0}) area.push_back(c);  // second pixel see-through
  std::vector<std::uint8_t> file;
  Put32(file, static_cast<unsigned>(area.size()));
  file.insert(file.end(), area.begin(), area.end());
  Put32(file, 3);
  for (std::uint8_t c : {0x4F, 0xFF, 0xFF}) file.push_back(c);  // "O"
  const ImageListFile read = ReadImageListFile(file);
  ASSERT_FALSE(read.error.has_value());
  EXPECT_EQ(read.version, 0);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(read.keys, std::vector<std::u16string>{u"O"});
  TempDir dir;
  WriteBytes(dir.path() / "old.iml", file);
  clsImageList list;
  list.SetIconSizeX(2);
  list.SetIconSizeY(1);
  ASSERT_TRUE(list.Create());
  ASSERT_TRUE(list.LoadFromFile(Path(dir, "old.iml")));
  const ImagePixels px = PixelsOf(list, list.ItemIndex(u"O"));
  EXPECT_EQ(px.colour[0] & 0xFFFFFF, 0x302010u);
  EXPECT_EQ(px.clear, (std::vector<bool>{false, true}));
}

TEST(ImageListFile, TruncatedAndDamagedFilesAreRefused) {
  TempDir dir;
  clsImageList saved;
  Fill(saved, 16, {u"NEW", u"OPEN"});
  ASSERT_TRUE(saved.SaveToFile(Path(dir, "good.iml")));
  const auto good = ReadBytes<std::vector<std::uint8_t>>(dir.path() / "good.iml");
  const size_t recordsEnd = 12 + 2 * 1148;
  for (size_t cut = 0; cut < good.size(); ++cut) {
    if (cut == recordsEnd) continue;  // a file that ends right after its records has no keys: fine
    const auto path = dir.path() / "cut.iml";
    WriteBytes(path, std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
    clsImageList list;
    ASSERT_TRUE(list.Create());
    const int number = ErrorOf([&] { list.LoadFromFile(vb::FromUtf8(path.string())); });
    EXPECT_EQ(number, 62) << cut;
    EXPECT_EQ(list.ImageCount(), 0) << cut;
  }
  // A record whose colour block claims a size that runs past the record area stops the load after
  // the records before it; no key is given, so no image carries another's.
  auto damaged = good;
  const size_t second = 12 + 1148;
  damaged[second + 12 + 4] = 0xFF;  // width 255
  WriteBytes(dir.path() / "bad.iml", damaged);
  clsImageList list;
  ASSERT_TRUE(list.Create());
  EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(Path(dir, "bad.iml")); }), 9);
  EXPECT_EQ(list.ImageCount(), 1);
  EXPECT_FALSE(list.KeyExists(u"NEW"));
  EXPECT_FALSE(list.KeyExists(u"OPEN"));
  // Sizes that are nonsense on their face.
  for (std::int32_t size : {0, -5}) {
    std::vector<std::uint8_t> bytes;
    Put32(bytes, static_cast<unsigned>(kImageListFileMagic));
    Put32(bytes, 0x30000);
    Put32(bytes, static_cast<unsigned>(size));
    EXPECT_EQ(ReadImageListFile(bytes).error->number, 9);
  }
  auto hugeKeys = good;
  hugeKeys[recordsEnd + 3] = 0x7F;
  EXPECT_EQ(ReadImageListFile(hugeKeys).error->number, 62);
  auto negativeKeys = good;
  negativeKeys[recordsEnd + 3] = 0x80;
  EXPECT_EQ(ReadImageListFile(negativeKeys).error->number, 9);
  auto mismatched = good;
  mismatched[12 + 12 + 24 + 1024 + 4] = 8;  // mask 8 wide under a 16-wide picture
  EXPECT_EQ(ReadImageListFile(mismatched).error->number, 9);
  // Bytes that an older, longer file leaves after the key text are ignored.
  auto longer = good;
  longer.insert(longer.end(), {9, 9, 9, 9, 9});
  const ImageListFile read = ReadImageListFile(longer);
  EXPECT_FALSE(read.error.has_value());
  EXPECT_EQ(read.keys, (std::vector<std::u16string>{u"NEW", u"OPEN"}));
}

TEST(ImageListFile, BlockSizesFollowTheFormat) {
  EXPECT_EQ(ColourBlockBytes(1, 16, 16), 1024);
  EXPECT_EQ(ColourBlockBytes(0, 16, 16), (3 * 16 + 3) * 16);
  EXPECT_EQ(MaskBlockBytes(16, 16), 4 * 16);
  EXPECT_EQ(MaskBlockBytes(32, 32), 8 * 32);
  EXPECT_EQ(MaskBlockBytes(13, 1), 4);  // (13 + 7) / 8 = 2.5 rounds to 2
  EXPECT_EQ(MaskBlockBytes(61, 1), 8);  // 8.5 rounds to 8: two words
  for (int w = 1; w <= 200; ++w) EXPECT_GE(MaskBlockBytes(w, 1), (w + 31) / 32 * 4) << w;
}

}  // namespace
