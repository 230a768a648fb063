// The layout of a wave file: what its header says about the samples and where they lie. Read from
// the first bytes of the file and the file's size alone, so deciding whether a file can be played
// never waits for the rest of it. Only what a sound card takes as it is counts as playable: PCM of
// 8, 16 or 32 bits, or 32-bit floating point, 1 to 8 channels, 1000 to 384000 samples a second.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::media {

enum class SampleKind { kUnsigned8, kSigned16, kSigned32, kFloat32 };

struct WaveFormat {
  SampleKind kind = SampleKind::kSigned16;
  int channels = 0;
  int sampleRate = 0;
  int bytesPerFrame = 0;  // one sample of every channel
};

struct WaveLayout {
  WaveFormat format;
  std::uint64_t dataOffset = 0;  // where the samples start, from the file's first byte
  std::uint64_t dataLength = 0;  // whole frames only, never past the end of the file
};

// How much of a file's start ReadWaveLayout needs at most: a header whose samples start later is
// not taken.
inline constexpr std::size_t kWaveHeadLimit = 64 * 1024;

// The layout of the wave file whose first bytes are `head` (up to kWaveHeadLimit of them) and whose
// whole size is `fileSize`; nothing when it is no wave file, holds a format other than the playable
// ones, or has no sample in it (a header without its samples, a data chunk cut off before its first
// frame). A data chunk that says it is longer than the file is played as far as the file goes.
std::optional<WaveLayout> ReadWaveLayout(std::string_view head, std::uint64_t fileSize);

}  // namespace platform::media
