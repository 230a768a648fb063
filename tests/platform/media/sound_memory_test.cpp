// Sounds played from a wave file held in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/media/sound.h"

namespace {

// A mono 8-bit wave of n silent samples at 8000 Hz.
std::vector<std::uint8_t> Wave(std::uint32_t n) {
  std::vector<std::uint8_t> w;
  const auto put = [&](const void* p, size_t size) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    w.insert(w.end(), b, b + size);
  };
  const auto u32 = [&](std::uint32_t v) { put(&v, 4); };
  const auto u16 = [&](std::uint16_t v) { put(&v, 2); };
  put("RIFF", 4);
  u32(36 + n);
  put("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(8000);
  u32(8000);
  u16(1);
  u16(8);
  put("data", 4);
  u32(n);
  w.insert(w.end(), n, 128);
  return w;
}

}  // namespace

TEST(SoundFromMemory, PlaysACopyAndRefusesWhatIsNoWave) {
  {
    std::vector<std::uint8_t> wave = Wave(800);
    EXPECT_TRUE(win::sndPlaySoundA(wave.data(), win::SND_ASYNC | win::SND_NODEFAULT | win::SND_MEMORY));
    // The caller's bytes may go at once: the sound plays from its own copy.
    std::fill(wave.begin(), wave.end(), 0);
  }
  EXPECT_FALSE(platform::testing::CurrentSound().empty());

  std::vector<std::uint8_t> wave = Wave(80);
  EXPECT_FALSE(win::sndPlaySoundA(wave.data(), win::SND_ASYNC));  // not said to be in memory
  const std::vector<std::uint8_t> noise(64, 0x55);
  EXPECT_FALSE(win::sndPlaySoundA(noise.data(), win::SND_ASYNC | win::SND_MEMORY));
  EXPECT_FALSE(win::sndPlaySoundA(static_cast<const void*>(nullptr), win::SND_ASYNC | win::SND_MEMORY));
  win::sndPlaySoundA(u"", win::SND_ASYNC);  // stops it
}
