// A file's facts as the shell gives them: file times to calendar dates (UTC), titles, and the find
// record of a real file.
#include <gtest/gtest.h>

#include "platform/shell/file_facts.h"
#include "platform/vb/strings.h"
#include "support.h"

using namespace qmtest;

namespace {

win::FILETIME FileTime(std::uint64_t ticks) {
  return win::FILETIME{static_cast<win::DWORD>(ticks & 0xFFFFFFFF), static_cast<win::DWORD>(ticks >> 32)};
}
// 100-nanosecond ticks of a Unix time.
std::uint64_t Ticks(std::int64_t unixSeconds) { return (unixSeconds + 11644473600ULL) * 10000000ULL; }

TEST(FileTimes, BecomeCalendarDatesInUtc) {
  win::SYSTEMTIME st;
  const win::FILETIME zero = FileTime(0);
  ASSERT_TRUE(win::FileTimeToSystemTime(&zero, &st));
  EXPECT_EQ(std::vector<int>({st.wYear, st.wMonth, st.wDay, st.wDayOfWeek}), std::vector<int>({1601, 1, 1, 1}));
  // 23:05:09.250 on 1 December 2006, a Friday.
  const win::FILETIME december = FileTime(Ticks(1165014309) + 2500000);
  ASSERT_TRUE(win::FileTimeToSystemTime(&december, &st));
  EXPECT_EQ(std::vector<int>({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
                              st.wDayOfWeek}),
            std::vector<int>({2006, 12, 1, 23, 5, 9, 250, 5}));
  // Leap days, and the last second of a century's leap year.
  const win::FILETIME leap = FileTime(Ticks(951868799));  // 2000-02-29 23:59:59
  ASSERT_TRUE(win::FileTimeToSystemTime(&leap, &st));
  EXPECT_EQ(std::vector<int>({st.wYear, st.wMonth, st.wDay, st.wHour}), std::vector<int>({2000, 2, 29, 23}));
  const win::FILETIME past = FileTime(0x8000000000000000ULL);
  EXPECT_FALSE(win::FileTimeToSystemTime(&past, &st));
}

TEST(FileTitles, AreTheNameWithoutTheFolder) {
  char16_t title[250];
  EXPECT_EQ(win::GetFileTitleA(u"/home/user/Письмо.txt", title, 250), 0);
  EXPECT_EQ(std::u16string(title), u"Письмо.txt");
  EXPECT_EQ(win::GetFileTitleA(u"C:\\docs\\a.txt", title, 250), 0);
  EXPECT_EQ(std::u16string(title), u"a.txt");
  EXPECT_EQ(win::GetFileTitleA(u"/home/user/Письмо.txt", title, 5), 11);
  EXPECT_EQ(win::GetFileTitleA(u"", title, 250), -1);
  EXPECT_EQ(win::GetFileTitleA(u"/home/user/", title, 250), -1);
}

TEST(FindRecords, GiveARealFilesSizeAndTimesAndNothingForAMissingOne) {
  TempDir dir;
  const auto file = dir.path() / "a.txt";
  WriteBytes(file, "hello");
  win::WIN32_FIND_DATAA record;
  const win::HANDLE find = win::FindFirstFileA(vb::FromUtf8(file.string()), &record);
  ASSERT_NE(find, win::INVALID_HANDLE_VALUE);
  EXPECT_EQ(record.nFileSizeLow, 5u);
  EXPECT_EQ(record.nFileSizeHigh, 0u);
  EXPECT_EQ(std::u16string(record.cFileName), u"a.txt");
  EXPECT_NE(record.ftLastWriteTime.dwHighDateTime, 0u);
  EXPECT_EQ(record.dwFileAttributes, win::FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(win::FindClose(find));
  EXPECT_FALSE(win::FindClose(find));
  EXPECT_EQ(win::FindFirstFileA(vb::FromUtf8((dir.path() / "b.txt").string()), &record), win::INVALID_HANDLE_VALUE);
  EXPECT_EQ(win::FindFirstFileA(u"", &record), win::INVALID_HANDLE_VALUE);
}

}  // namespace
