// Playing wave files: what is handed to the player and what is refused on the spot. The audio
// device is replaced by a recorder, except where the test is that no device plays nothing.
#include "platform/media/sound.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/media.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

using platform::testing::CurrentSound;
using platform::testing::RecordedSounds;
using qmtest::SilentWave;
using qmtest::TempDir;
using qmtest::U;
using qmtest::WriteBytes;

constexpr win::UINT kFlags = win::SND_ASYNC | win::SND_NODEFAULT;

}  // namespace

TEST(Sound, AFileThatCannotBePlayedIsRefusedAtOnceAndStopsTheSoundPlaying) {
  TempDir dir;
  RecordedSounds sounds;
  const auto good = dir.path() / "good.wav";
  WriteBytes(good, SilentWave(800));
  const std::string wave = SilentWave(800);
  const auto header = dir.path() / "header.wav";
  WriteBytes(header, wave.substr(0, 44));
  const auto five = dir.path() / "five.wav";
  WriteBytes(five, wave.substr(0, 5));
  const auto empty = dir.path() / "empty.wav";
  WriteBytes(empty, "");
  const auto folder = dir.path() / "folder.wav";
  std::filesystem::create_directory(folder);
  // A pipe nobody writes to: opening it to read would wait for a writer for ever.
  const auto fifo = dir.path() / "fifo.wav";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // 200 MB without a wave header (a file with holes: nothing is written).
  const auto noise = dir.path() / "large.wav";
  WriteBytes(noise, "");
  std::filesystem::resize_file(noise, 200u << 20);

  for (const auto& bad : {header, five, empty, folder, fifo, noise, std::filesystem::path("/dev/zero"),
                          dir.path() / "none.wav"}) {
    ASSERT_EQ(win::sndPlaySoundA(U(good), kFlags), win::TRUE);
    EXPECT_EQ(CurrentSound(), U(good));
    EXPECT_EQ(win::sndPlaySoundA(U(bad), kFlags), win::FALSE) << bad;
    EXPECT_EQ(CurrentSound(), u"") << bad;
    const auto played = sounds.Take();
    // The good one may have been replaced before the player took it: the bad one never plays.
    for (const auto& p : played) EXPECT_EQ(p.file, U(good)) << bad;
  }
  EXPECT_EQ(win::sndPlaySoundA(u"", kFlags), win::FALSE);
}

TEST(Sound, ThePlayerGetsTheSamplesAndNothingAfterThem) {
  TempDir dir;
  RecordedSounds sounds;
  // A chunk after the samples is no sound.
  std::string wave = SilentWave(801);
  wave += '\0';
  wave += "LIST";
  wave += std::string("\x04\0\0\0abcd", 8);
  const auto file = dir.path() / "Звук с пробелом.wav";
  WriteBytes(file, wave);
  ASSERT_EQ(win::sndPlaySoundA(U(file), kFlags), win::TRUE);
  auto played = sounds.Take();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0].file, U(file));
  EXPECT_EQ(played[0].channels, 1);
  EXPECT_EQ(played[0].sampleRate, 8000);
  EXPECT_EQ(played[0].bytes, 801u);

  // A large sound is read from the file as it plays, not before the call returns.
  const auto large = dir.path() / "large.wav";
  WriteBytes(large, SilentWave(0).substr(0, 40) + std::string("\xF0\xFF\xFF\x0F", 4));
  std::filesystem::resize_file(large, 200u << 20);
  ASSERT_EQ(win::sndPlaySoundA(U(large), kFlags), win::TRUE);
  played = sounds.Take();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0].bytes, (200u << 20) - 44);

  // A path written with backslashes names the same file.
  std::string back = file.string();
  std::replace(back.begin(), back.end(), '/', '\\');
  ASSERT_EQ(win::sndPlaySoundA(vb::FromUtf8(back), kFlags), win::TRUE);
  EXPECT_EQ(sounds.Take().size(), 1u);
  win::sndPlaySoundA(u"", kFlags);
}

TEST(Sound, WithoutAnAudioDeviceTheCallReturnsAndThePlayerGoesOn) {
  // No recorder: the player looks for the audio device, which the tests' machine does not offer
  // (or plays a short silence where it does), and is ready for the next sound either way.
  TempDir dir;
  const auto file = dir.path() / "a.wav";
  WriteBytes(file, SilentWave(80));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(win::sndPlaySoundA(U(file), kFlags), win::TRUE);
  RecordedSounds sounds;
  EXPECT_TRUE(sounds.Take().empty());
  EXPECT_EQ(win::sndPlaySoundA(U(file), kFlags), win::TRUE);
  EXPECT_EQ(sounds.Take().size(), 1u);
  win::sndPlaySoundA(u"", kFlags);
}

// The player thread runs events of its own objects while the user-interface thread opens and closes
// windows, as when a window opens as its sound starts: those events must pass the window bridge
// without a look at the window table (the thread pass of tests/sanitizers.sh reports any look).
TEST(Sound, WindowsOpenAndCloseWhileThePlayerThreadWorks) {
  TempDir dir;
  RecordedSounds sounds;
  const auto good = dir.path() / "good.wav";
  WriteBytes(good, SilentWave(800));
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(win::sndPlaySoundA(U(good), kFlags), win::TRUE);
    const win::HWND h = win::CreateWindowExA(0, "Static", u"", win::WS_OVERLAPPED, 0, 0, 60, 40, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0);
    EXPECT_EQ(sounds.Take().size(), 1u);
    EXPECT_EQ(win::DestroyWindow(h), win::TRUE);
  }
}
