// The judgement of a file against the trace of a rewrite in place that was cut short: every content
// the rewrite can leave (old, new, a mixture at any page, zeros the disk had not written, any length
// the rewrite passes through) stands as left; the new content whole is complete; anything another
// program writes is changed.
#include "platform/vb/rewrite_trace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support.h"

using namespace qmtest;
using vb::save::Judge;
using vb::save::Standing;

namespace {

constexpr std::size_t kPage = 4096;

// Text whose every page differs from every other, so a page in the wrong place is seen.
std::string Text(char tag, std::size_t length) {
  std::string out;
  for (std::size_t i = 0; out.size() < length; ++i) out += std::string(1, tag) + std::to_string(i) + ";";
  out.resize(length);
  return out;
}

vb::save::RewriteTrace TraceOf(const std::string& before, const std::string& after) {
  TempDir dir;
  const auto file = dir.path() / "f.txt";
  WriteBytes(file, before);
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  ::fstat(fd, &st);
  vb::save::RewriteTrace trace = vb::save::TraceRewrite(fd, st, after);
  ::close(fd);
  return trace;
}

// The file after the rewrite reserved the new length (when asked) and wrote `written` bytes of the
// new content; cut to the new length when `cut`.
std::string Left(const std::string& before, const std::string& after, std::size_t written, bool reserved,
                 bool cut = false) {
  std::string file = before;
  if (reserved && file.size() < after.size()) file.resize(after.size(), '\0');
  if (file.size() < written) file.resize(written, '\0');
  file.replace(0, written, after.substr(0, written));
  if (cut) file.resize(after.size());
  return file;
}

}  // namespace

TEST(RewriteTraces, EveryContentTheRewriteCanLeaveStandsAsLeftAndOnlyTheNewWholeIsComplete) {
  // Shorter and longer, each ending inside a page, and ending on a page's end.
  const std::pair<std::size_t, std::size_t> lengths[] = {
      {10 * kPage + 100, 6 * kPage + 1234}, {6 * kPage + 1234, 10 * kPage + 100}, {8 * kPage, 5 * kPage},
      {3 * kPage + 7, 3 * kPage + 9},       {0, 2 * kPage + 5},                  {2 * kPage + 5, 0}};
  for (const auto& [oldLength, newLength] : lengths) {
    SCOPED_TRACE(std::to_string(oldLength) + " -> " + std::to_string(newLength));
    const std::string before = Text('o', oldLength);
    const std::string after = Text('n', newLength);
    const auto trace = TraceOf(before, after);
    EXPECT_EQ(Judge(trace, before), before == after ? Standing::kComplete : Standing::kAsLeft);
    EXPECT_EQ(Judge(trace, after), Standing::kComplete);
    // Killed after any page, and after the last byte, before the file was cut to its length.
    std::vector<std::size_t> stops;
    for (std::size_t written = 0; written < newLength; written += kPage) stops.push_back(written);
    stops.push_back(newLength);
    for (const std::size_t written : stops) {
      for (const bool reserved : {true, false}) {
        const std::string left = Left(before, after, written, reserved);
        EXPECT_EQ(Judge(trace, left), left == after ? Standing::kComplete : Standing::kAsLeft)
            << "written " << written << (reserved ? ", reserved" : "");
      }
    }
    // The machine stopped: pages reach the disk in any order, or not at all (zeros where the room
    // was reserved), and the cut to the new length may come first.
    std::string scattered = Left(before, after, newLength, true);
    for (std::size_t page = 0; page * kPage < scattered.size(); page += 2) {
      const std::size_t from = page * kPage;
      const std::size_t to = std::min(from + kPage, scattered.size());
      const std::string base = Left(before, after, 0, true);
      scattered.replace(from, to - from, base.substr(from, to - from));
    }
    EXPECT_NE(Judge(trace, scattered), Standing::kChanged);
    EXPECT_NE(Judge(trace, std::string(std::max(oldLength, newLength), '\0')), Standing::kChanged);
    if (newLength < oldLength) {
      EXPECT_NE(Judge(trace, before.substr(0, newLength)), Standing::kChanged);
    }
  }
}

TEST(RewriteTraces, WhatAnotherProgramWroteSinceStandsChanged) {
  const std::string before = Text('o', 10 * kPage + 100);
  const std::string after = Text('n', 6 * kPage + 1234);
  const auto trace = TraceOf(before, after);
  const std::string torn = Left(before, after, 3 * kPage, true);
  ASSERT_EQ(Judge(trace, torn), Standing::kAsLeft);

  // A short new text; the torn text with one word changed in its new part, in its old part, or
  // where the new part ends; a page of the new text in the old text's place.
  EXPECT_EQ(Judge(trace, "good\n"), Standing::kChanged);
  for (const std::size_t at : {std::size_t{100}, 3 * kPage - 2, 3 * kPage + 10, 9 * kPage}) {
    std::string edited = torn;
    edited[at] = '#';
    EXPECT_EQ(Judge(trace, edited), Standing::kChanged) << "a change at " << at;
  }
  std::string moved = torn;
  moved.replace(5 * kPage, kPage, after.substr(0, kPage));
  EXPECT_EQ(Judge(trace, moved), Standing::kChanged);
  // Longer than both texts, or shorter than both.
  EXPECT_EQ(Judge(trace, torn + "x"), Standing::kChanged);
  EXPECT_EQ(Judge(trace, after.substr(0, 6 * kPage)), Standing::kChanged);
  // The tail of the old text after the new one's end, changed.
  std::string tail = Left(before, after, after.size(), true);
  tail[after.size() + 3] = '#';
  EXPECT_EQ(Judge(trace, tail), Standing::kChanged);
}

TEST(RewriteTraces, TheNewContentIsToldFromADamagedOne) {
  const std::string after = Text('n', 3 * kPage + 17);
  const auto trace = TraceOf(Text('o', 100), after);
  EXPECT_TRUE(vb::save::IsNewContent(trace, after));
  std::string damaged = after;
  damaged[2 * kPage + 1] ^= 1;
  EXPECT_FALSE(vb::save::IsNewContent(trace, damaged));
  EXPECT_FALSE(vb::save::IsNewContent(trace, after.substr(0, after.size() - 1)));
}
