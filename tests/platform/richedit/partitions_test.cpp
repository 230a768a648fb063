// The editor's per-paragraph tables: the partition starts, corrected lazily after each change, read
// back as a plain list of lengths holds them, whatever order the changes come in.
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "platform/richedit/partitions.h"

namespace {

using platform::richedit::Partitions;

// Every start of the table against the lengths kept beside it.
void ExpectHolds(const Partitions& p, const std::vector<std::int32_t>& lengths) {
  ASSERT_EQ(p.Count(), static_cast<std::ptrdiff_t>(lengths.size()));
  std::int32_t start = 0;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    ASSERT_EQ(p.Start(static_cast<std::ptrdiff_t>(i)), start) << "partition " << i;
    start += lengths[i];
  }
  ASSERT_EQ(p.Total(), start);
  for (std::int32_t at = 0; at < start; at += 7) {
    const std::ptrdiff_t found = p.Find(at);
    ASSERT_LE(p.Start(found), at);
    ASSERT_GT(p.Start(found + 1), at) << "at " << at;
  }
}

TEST(Partitions, RandomGrowthSplitsAndJoinsReadBackExactly) {
  std::mt19937 random(9);
  for (int round = 0; round < 20; ++round) {
    Partitions p;
    std::vector<std::int32_t> lengths;
    // A table filled from lengths, as a new text fills it.
    p.Reset(0);
    const int filled = std::uniform_int_distribution<int>(1, 40)(random);
    for (int i = 0; i < filled; ++i) {
      lengths.push_back(std::uniform_int_distribution<std::int32_t>(2, 30)(random));
      p.Append(lengths.back());
    }
    p.DropFirst();
    ASSERT_NO_FATAL_FAILURE(ExpectHolds(p, lengths));
    for (int step = 0; step < 300; ++step) {
      const auto count = static_cast<std::ptrdiff_t>(lengths.size());
      const std::ptrdiff_t at = std::uniform_int_distribution<std::ptrdiff_t>(0, count - 1)(random);
      switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
        case 1: {
          const std::int32_t delta = std::uniform_int_distribution<std::int32_t>(-lengths[at], 9)(random);
          p.Grow(at, delta);
          lengths[static_cast<std::size_t>(at)] += delta;
          break;
        }
        case 2: {
          // Split partition `at` somewhere inside it (its ends included).
          const std::int32_t offset = std::uniform_int_distribution<std::int32_t>(0, lengths[at])(random);
          p.Split(at + 1, p.Start(at) + offset);
          lengths.insert(lengths.begin() + at + 1, lengths[at] - offset);
          lengths[static_cast<std::size_t>(at)] = offset;
          break;
        }
        default:
          if (at == 0) break;
          p.Join(at);
          lengths[static_cast<std::size_t>(at) - 1] += lengths[static_cast<std::size_t>(at)];
          lengths.erase(lengths.begin() + at);
          break;
      }
      ASSERT_NO_FATAL_FAILURE(ExpectHolds(p, lengths)) << "round " << round << " step " << step;
    }
  }
}

}  // namespace
