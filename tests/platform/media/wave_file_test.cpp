// The wave header reader: what it takes as playable and where it finds the samples.
#include "platform/media/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using platform::media::ReadWaveLayout;
using platform::media::SampleKind;

void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
}
void Put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

std::string Chunk(std::string_view id, const std::string& body) {
  std::string c(id);
  Put32(c, static_cast<std::uint32_t>(body.size()));
  c += body;
  if (body.size() % 2 != 0) c += '\0';
  return c;
}

std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  std::string f;
  Put16(f, tag);
  Put16(f, channels);
  Put32(f, rate);
  Put32(f, rate * channels * bits / 8);
  Put16(f, static_cast<std::uint16_t>(channels * bits / 8));
  Put16(f, bits);
  return f;
}

std::string Riff(const std::string& chunks) {
  std::string r = "RIFF";
  Put32(r, static_cast<std::uint32_t>(4 + chunks.size()));
  return r + "WAVE" + chunks;
}

// A data chunk header saying `declared` bytes, followed by `present` bytes of samples.
std::string Data(std::uint32_t declared, std::size_t present) {
  std::string d = "data";
  Put32(d, declared);
  return d + std::string(present, '\x80');
}

}  // namespace

TEST(WaveLayout, FindsTheSamplesOfPlayableFormats) {
  const std::string mono16 = Riff(Chunk("fmt ", Fmt(1, 1, 22050, 16)) + Data(2000, 2000));
  const auto layout = ReadWaveLayout(mono16, mono16.size());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->format.kind, SampleKind::kSigned16);
  EXPECT_EQ(layout->format.channels, 1);
  EXPECT_EQ(layout->format.sampleRate, 22050);
  EXPECT_EQ(layout->format.bytesPerFrame, 2);
  EXPECT_EQ(layout->dataOffset, 44u);
  EXPECT_EQ(layout->dataLength, 2000u);

  // Other chunks before the samples are stepped over, an odd one with its padding byte.
  const std::string withList =
      Riff(Chunk("LIST", "abc") + Chunk("fmt ", Fmt(1, 2, 8000, 8)) + Chunk("fact", "1234") + Data(10, 10));
  const auto listed = ReadWaveLayout(withList, withList.size());
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->format.kind, SampleKind::kUnsigned8);
  EXPECT_EQ(listed->dataOffset, withList.size() - 10);
  EXPECT_EQ(listed->dataLength, 10u);

  // The extensible form names PCM or floating point in its sub-format.
  std::string extensible = Fmt(0xFFFE, 2, 48000, 32);
  Put16(extensible, 22);
  Put16(extensible, 32);
  Put32(extensible, 3);
  Put16(extensible, 3);  // floating point
  extensible += std::string(14, '\0');
  const std::string floats = Riff(Chunk("fmt ", extensible) + Data(16, 16));
  const auto floatLayout = ReadWaveLayout(floats, floats.size());
  ASSERT_TRUE(floatLayout);
  EXPECT_EQ(floatLayout->format.kind, SampleKind::kFloat32);
  EXPECT_EQ(floatLayout->format.bytesPerFrame, 8);
}

TEST(WaveLayout, SamplesEndWithTheFileAndWithWholeFrames) {
  // The data chunk says 1000 bytes; the file holds 301 of them: 150 whole stereo-8-bit frames.
  const std::string cut = Riff(Chunk("fmt ", Fmt(1, 2, 8000, 8)) + Data(1000, 301));
  const auto layout = ReadWaveLayout(cut, cut.size());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->dataLength, 300u);
  // Only the head of a large file is read: its size says how far the samples go.
  const std::string head = Riff(Chunk("fmt ", Fmt(1, 1, 44100, 16)) + Data(0xFFFFFFF0u, 0));
  const auto large = ReadWaveLayout(head, 200u * 1024 * 1024);
  ASSERT_TRUE(large);
  EXPECT_EQ(large->dataLength, 200u * 1024 * 1024 - 44);
}

TEST(WaveLayout, RefusesWhatHoldsNoPlayableSample) {
  const std::string good = Riff(Chunk("fmt ", Fmt(1, 1, 8000, 16)) + Data(100, 100));
  EXPECT_FALSE(ReadWaveLayout("", 0));
  EXPECT_FALSE(ReadWaveLayout(good.substr(0, 5), 5));
  EXPECT_FALSE(ReadWaveLayout(good.substr(0, 44), 44)) << "a header without its samples";
  EXPECT_FALSE(ReadWaveLayout(good.substr(0, 45), 45)) << "half a frame";
  EXPECT_FALSE(ReadWaveLayout(std::string(4096, '\0'), 200u * 1024 * 1024));
  EXPECT_FALSE(ReadWaveLayout(Riff(Data(100, 100) + Chunk("fmt ", Fmt(1, 1, 8000, 16))), 300))
      << "samples before their format";
  EXPECT_FALSE(ReadWaveLayout(Riff(Chunk("fmt ", Fmt(1, 1, 8000, 24)) + Data(99, 99)), 200)) << "24 bits";
  EXPECT_FALSE(ReadWaveLayout(Riff(Chunk("fmt ", Fmt(2, 1, 8000, 4)) + Data(100, 100)), 200)) << "ADPCM";
  EXPECT_FALSE(ReadWaveLayout(Riff(Chunk("fmt ", Fmt(1, 0, 8000, 16)) + Data(100, 100)), 200)) << "no channel";
  EXPECT_FALSE(ReadWaveLayout(Riff(Chunk("fmt ", Fmt(1, 1, 10, 16)) + Data(100, 100)), 200)) << "10 Hz";
  std::string badAlign = Fmt(1, 2, 8000, 16);
  badAlign[12] = 1;
  EXPECT_FALSE(ReadWaveLayout(Riff(Chunk("fmt ", badAlign) + Data(100, 100)), 200));
  // A chunk that claims to run past the head hides where the samples are.
  const std::string lost = Riff(Chunk("fmt ", Fmt(1, 1, 8000, 16)) + "JUNK\xff\xff\xff\x7f" + Data(100, 100));
  EXPECT_FALSE(ReadWaveLayout(lost, 1u << 31));
}
