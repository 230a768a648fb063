// The interface sounds beside the program: plain PCM wave files any audio back end plays, short and
// quiet, and free of clicks at their ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kSounds = std::filesystem::path(QM_BINARY_DIR) / "bin" / "Sounds";

std::uint32_t U32(const std::vector<std::uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::uint32_t U16(const std::vector<std::uint8_t>& d, size_t at) { return d[at] | (d[at + 1] << 8); }

struct Wave {
  int format = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<int> samples;
};

// Walks the RIFF chunks; a chunk that runs past the end of the file ends the walk.
Wave Read(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  const std::vector<std::uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Wave w;
  if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
      std::string(d.begin() + 8, d.begin() + 12) != "WAVE")
    return w;
  EXPECT_EQ(U32(d, 4), d.size() - 8) << "the RIFF size counts the whole file";
  for (size_t at = 12; at + 8 <= d.size();) {
    const std::string id(d.begin() + at, d.begin() + at + 4);
    const size_t size = U32(d, at + 4);
    if (size > d.size() - at - 8) break;
    if (id == "fmt " && size >= 16) {
      w.format = static_cast<int>(U16(d, at + 8));
      w.channels = static_cast<int>(U16(d, at + 10));
      w.rate = static_cast<int>(U32(d, at + 12));
      w.bits = static_cast<int>(U16(d, at + 22));
    } else if (id == "data" && w.bits == 16) {
      for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(static_cast<std::int16_t>(U16(d, at + 8 + i)));
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

}  // namespace

TEST(InterfaceSounds, EachIsAShortQuietPcmWaveWithoutClicks) {
  for (const char* name : {"ButtonMove.wav", "ButtonClick.wav", "FormLoad.wav", "FormUnload.wav", "KeyDown.wav"}) {
    SCOPED_TRACE(name);
    const Wave w = Read(kSounds / name);
    EXPECT_EQ(w.format, 1) << "uncompressed PCM";
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    ASSERT_GE(w.rate, 8000);
    ASSERT_FALSE(w.samples.empty());
    // Short: a sound that outlasts a quick run of key presses or pointer moves piles up.
    EXPECT_LE(w.samples.size(), static_cast<size_t>(w.rate) * 3 / 10);
    int peak = 0;
    for (int s : w.samples) peak = std::max(peak, std::abs(s));
    // Quiet but there: well under a quarter of full scale, and not silence.
    EXPECT_LT(peak, 32768 / 4);
    EXPECT_GT(peak, 32768 / 100);
    // Starts and ends near zero, so the speaker does not click.
    EXPECT_LT(std::abs(w.samples.front()), peak / 10 + 1);
    EXPECT_LT(std::abs(w.samples.back()), peak / 10 + 1);
  }
}
