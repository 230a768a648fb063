// The runtime's message box, collection, numbered files, App, Screen, shell and sound.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/media/sound.h"
#include "platform/script/script.h"
#include "platform/shell/shell.h"
#include "platform/testing/dialogs.h"
#include "platform/testing/win.h"
#include "platform/testing/x11.h"
#include "platform/vb/app.h"
#include "platform/vb/collection.h"
#include "platform/vb/error.h"
#include "platform/vb/fileio.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/screen.h"
#include "support.h"
#include "support_desktop.h"

using qmtest::ReadBytes;
using qmtest::WriteBytes;

using qmtest::ErrorNumberOf;

TEST(MsgBox, AScriptedBoxAnswersAndLogsWhatItShowed) {
  platform::script::Log().clear();
  platform::script::Queue({platform::script::Kind::MessageBox, vb::vbNo, {}});
  EXPECT_EQ(vb::MsgBox(u"Сохранить?\r\nДа или нет", vb::vbYesNoCancel + vb::vbQuestion, u"Заголовок"), vb::vbNo);
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_EQ(platform::script::Log()[0].title, u"Заголовок");
  EXPECT_EQ(platform::script::Log()[0].prompt, u"Сохранить?\r\nДа или нет");
  EXPECT_EQ(platform::script::Log()[0].flags, vb::vbYesNoCancel + vb::vbQuestion);
  platform::script::Queue({platform::script::Kind::MessageBox, vb::vbOK, {}});
  vb::MsgBox(u"Без заголовка");
  EXPECT_EQ(platform::script::Log()[1].title, vb::App.EXEName());
}

TEST(MsgBox, TheRealBoxHasRussianButtonsAndAnswersWithThePressedOne) {
  platform::script::SetActive(false);
  platform::testing::RealMessageBox seen;
  platform::testing::PressInNextMessageBox(u"Нет", &seen);
  const int answer = vb::MsgBox(u"Первая\nвторая\r\n\r\nтретья", vb::vbYesNoCancel + vb::vbQuestion, u"Вопрос");
  platform::script::SetActive(true);
  EXPECT_EQ(answer, vb::vbNo);
  std::sort(seen.buttons.begin(), seen.buttons.end());
  EXPECT_EQ(seen.buttons, (std::vector<std::u16string>{u"Да", u"Нет", u"Отмена"}));
  EXPECT_EQ(seen.text, u"Первая\nвторая\n\nтретья");
  EXPECT_EQ(seen.title, u"Вопрос");
}

// A short prompt under a long caption: the box is wide enough for the caption in bold, beside the
// title bar's icon and buttons, so the window manager does not cut it.
TEST(MsgBox, AShortPromptLeavesRoomForTheWholeCaption) {
  platform::script::SetActive(false);
  platform::testing::RealMessageBox seen;
  platform::testing::PressInNextMessageBox(u"ОК", &seen);
  vb::MsgBox(u"Поиск завершен!", vb::vbInformation, u"Brannoch Quillmark 3.0 Preview");
  platform::script::SetActive(true);
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  EXPECT_GE(seen.place.right - seen.place.left,
            metrics.horizontalAdvance(QStringLiteral("Brannoch Quillmark 3.0 Preview")) + 4 * metrics.lineSpacing());
}

// A question whose every button gives an answer that matters offers no close box: the window
// manager's frame (which on some desktops keeps a close box whatever the window asks) gives way to
// the box's own title bar with its caption. A box that Esc answers keeps the window manager's frame
// and its close box.
TEST(MsgBox, OnlyABoxThatCanBeClosedShowsACloseBox) {
  struct Case {
    int kind;
    std::u16string press;
    bool closable;
  };
  for (const Case& c : {Case{vb::vbYesNo, u"Нет", false}, Case{vb::vbAbortRetryIgnore, u"Прервать", false},
                        Case{vb::vbOKOnly, u"ОК", true}, Case{vb::vbYesNoCancel, u"Отмена", true}}) {
    SCOPED_TRACE(c.kind);
    platform::script::SetActive(false);
    platform::testing::RealMessageBox seen;
    platform::testing::PressInNextMessageBox(c.press, &seen);
    vb::MsgBox(u"Документ был изменен. Сохранить?", c.kind + vb::vbQuestion, u"Вопрос");
    platform::script::SetActive(true);
    EXPECT_EQ(seen.managerFrame, c.closable);
    EXPECT_EQ(seen.closeBox, c.closable);
    EXPECT_EQ(seen.titleBar, c.closable ? u"" : u"Вопрос");
  }
}

// A question whose every button gives an answer that matters is answered only by a button: Esc
// and the close box leave it up (the toolkit's own choice, No or Abort, would answer "save the
// changes?" for the user). A box with Cancel still takes Esc as Cancel.
TEST(MsgBox, AQuestionWithoutCancelIsAnsweredOnlyByItsButtons) {
  struct Case {
    int kind;
    std::u16string press;
    int answer;
  };
  for (const Case& c : {Case{vb::vbYesNo, u"Да", vb::vbYes}, Case{vb::vbAbortRetryIgnore, u"Повторить", vb::vbRetry}}) {
    SCOPED_TRACE(c.kind);
    platform::script::SetActive(false);
    bool afterEscape = false;
    bool afterClose = false;
    platform::testing::RealMessageBox seen;
    platform::testing::PostAction([&] {
      afterEscape = platform::testing::PressEscapeInModalWindow() && platform::testing::ModalDialogShown();
      afterClose = platform::testing::CloseModalWindowByUser() && platform::testing::ModalDialogShown();
      platform::testing::PressInNextMessageBox(c.press, &seen);
    });
    const int answer = vb::MsgBox(u"Документ был изменен. Сохранить?", c.kind + vb::vbQuestion, u"Вопрос");
    platform::script::SetActive(true);
    EXPECT_TRUE(afterEscape) << "Esc answered the question";
    EXPECT_TRUE(afterClose) << "the close box answered the question";
    EXPECT_EQ(answer, c.answer);
  }
  platform::script::SetActive(false);
  platform::testing::PostAction([] { platform::testing::PressEscapeInModalWindow(); });
  const int answer = vb::MsgBox(u"Сохранить?", vb::vbYesNoCancel + vb::vbQuestion, u"Вопрос");
  platform::script::SetActive(true);
  EXPECT_EQ(answer, vb::vbCancel);
}

// A notice written in lines of its own, each wider than half the screen: the box grows to hold
// them whole, each on one line, rather than breaking them again into ragged lines.
TEST(MsgBox, ThePromptsOwnLinesStandWholeWhereTheBoxCanHoldThem) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QFontMetrics metrics(QApplication::font("QMessageBox"));
  QStringList lines;
  for (const char* start : {"Эта версия программы не является финальной", "Эта версия прежде всего предназначена",
                            "Все комментарии и пожелания просьба отправлять"}) {
    QString line = QString::fromUtf8(start);
    while (metrics.horizontalAdvance(line) < area.width() * 11 / 20) line += QStringLiteral(" и");
    ASSERT_LT(metrics.horizontalAdvance(line), area.width() * 3 / 5);
    lines << line;
  }
  const std::u16string prompt = lines.join(QLatin1Char('\n')).toStdU16String();
  platform::script::SetActive(false);
  platform::testing::RealMessageBox seen;
  platform::testing::PressInNextMessageBox(u"ОК", &seen);
  vb::MsgBox(prompt, vb::vbOKOnly, u"Brannoch Quillmark 3.0 Preview");
  platform::script::SetActive(true);
  EXPECT_EQ(seen.text, prompt);
  EXPECT_LE(seen.widestLine, seen.textWidth);
  EXPECT_LE(seen.place.right, seen.screen.right);
  EXPECT_GE(seen.place.left, seen.screen.left);

  // Lines too wide for any box, each ending in a blank as the writer filled them: the sentences flow
  // on through those breaks, and only the break after the sentence's end stays.
  QString wide = QStringLiteral("Первая фраза");
  while (metrics.horizontalAdvance(wide) < area.width()) wide += QStringLiteral(" и");
  const QString flowing = wide + QStringLiteral(" \n") + wide + QStringLiteral(" конец первой.\nВторая фраза.");
  platform::script::SetActive(false);
  platform::testing::RealMessageBox flowed;
  platform::testing::PressInNextMessageBox(u"ОК", &flowed);
  vb::MsgBox(flowing.toStdU16String(), vb::vbOKOnly, u"Brannoch Quillmark 3.0 Preview");
  platform::script::SetActive(true);
  const QStringList shown = QString::fromStdU16String(flowed.text).split(QLatin1Char('\n'));
  ASSERT_GE(shown.size(), 4);
  EXPECT_EQ(shown.last(), QStringLiteral("Вторая фраза."));
  EXPECT_TRUE(shown[shown.size() - 2].endsWith(QStringLiteral("конец первой.")));
  for (int i = 0; i + 2 < shown.size(); ++i)
    EXPECT_GT(metrics.horizontalAdvance(shown[i]), flowed.textWidth * 3 / 4) << "ragged line " << i;
  EXPECT_LE(flowed.widestLine, flowed.textWidth);
}

// A box is shown over the active window and goes with it: a handler or a timer that unloads that
// window while the box asks does not answer the question for the user, who is asked again.
TEST(MsgBox, ABoxWhoseWindowGoesWhileItAsksIsAskedAgain) {
  QPointer<QWidget> owner = new QWidget;
  QWidget* const shownOver = owner.data();
  owner->show();
  QApplication::setActiveWindow(owner);
  QWidget* firstOwner = nullptr;
  platform::testing::RealMessageBox seen;
  platform::script::SetActive(false);
  platform::testing::InNextDialog([&] {
    firstOwner = QApplication::activeModalWidget()->parentWidget();
    delete owner.data();
    platform::testing::PressInNextMessageBox(u"Да", &seen);
  });
  const int answer = vb::MsgBox(u"Документ был изменен. Сохранить?", vb::vbYesNo + vb::vbQuestion, u"Вопрос");
  platform::script::SetActive(true);
  EXPECT_EQ(firstOwner, shownOver);
  EXPECT_TRUE(owner.isNull());
  EXPECT_EQ(answer, vb::vbYes);
  EXPECT_EQ(seen.title, u"Вопрос");
}

// A box that ends with none of its buttons pressed (the program ends it, or quits under it) still
// answers with one of its own buttons, the one that declines.
TEST(MsgBox, ABoxEndedWithoutAButtonAnswersItsDecliningButton) {
  const std::pair<int, int> cases[] = {{vb::vbOKOnly, vb::vbOK},       {vb::vbOKCancel, vb::vbCancel},
                                       {vb::vbYesNoCancel, vb::vbCancel}, {vb::vbYesNo, vb::vbNo},
                                       {vb::vbRetryCancel, vb::vbCancel}, {vb::vbAbortRetryIgnore, vb::vbAbort}};
  for (const auto& [kind, declining] : cases) {
    platform::script::SetActive(false);
    platform::testing::InNextDialog([] { platform::testing::CancelModalDialog(); });
    const int answer = vb::MsgBox(u"Документ был изменен. Сохранить?", kind + vb::vbQuestion, u"Вопрос");
    platform::script::SetActive(true);
    EXPECT_EQ(answer, declining) << "buttons " << kind;
  }
}

// A long prompt breaks into lines that fit the box, a word longer than a line breaks inside it with
// no letter lost, and the box stays on the screen; a prompt taller than the screen is cut short
// in the middle, its end still shown.
TEST(MsgBox, LongTextWrapsInsideTheBoxAndTheBoxStaysOnTheScreen) {
  const std::u16string word = [] {
    std::u16string w;
    for (int i = 0; i < 40; ++i) w += u"Перекодирование";
    return w;
  }();
  const std::u16string prompt = u"Вы действительно хотите заменить ''" + word + u"'' на ''x'' во всем документе?";
  platform::script::SetActive(false);
  platform::testing::RealMessageBox seen;
  platform::testing::PressInNextMessageBox(u"Нет", &seen);
  EXPECT_EQ(vb::MsgBox(prompt, vb::vbYesNo + vb::vbQuestion, u"Вопрос"), vb::vbNo);
  platform::script::SetActive(true);
  EXPECT_GT(std::count(seen.text.begin(), seen.text.end(), u'\n'), 5);
  std::u16string joined;
  for (char16_t c : seen.text) joined += c == u'\n' ? u' ' : c;
  std::u16string spaced = prompt;
  EXPECT_EQ(joined.find(u"''Перекодирование"), prompt.find(u"''Перекодирование"));
  joined.erase(std::remove(joined.begin(), joined.end(), u' '), joined.end());
  spaced.erase(std::remove(spaced.begin(), spaced.end(), u' '), spaced.end());
  EXPECT_EQ(joined, spaced) << "every letter is shown";
  EXPECT_GT(seen.widestLine, 0);
  EXPECT_LE(seen.widestLine, seen.textWidth);
  EXPECT_GE(seen.place.left, seen.screen.left);
  EXPECT_GE(seen.place.top, seen.screen.top);
  EXPECT_LE(seen.place.right, seen.screen.right);
  EXPECT_LE(seen.place.bottom, seen.screen.bottom);

  // Ordinary words: each line the box is given fits its text's room as it is, so the box does not
  // break it again (which leaves a word alone on a line of its own).
  std::u16string words;
  for (int i = 0; i < 4; ++i) words += u"Вы действительно хотите сбросить текущие параметры и установить параметры по умолчанию? ";
  platform::script::SetActive(false);
  platform::testing::RealMessageBox worded;
  platform::testing::PressInNextMessageBox(u"Нет", &worded);
  vb::MsgBox(words, vb::vbYesNo + vb::vbQuestion, u"Вопрос");
  platform::script::SetActive(true);
  EXPECT_GT(std::count(worded.text.begin(), worded.text.end(), u'\n'), 1);
  EXPECT_GT(worded.widestLine, 0);
  EXPECT_LE(worded.widestLine, worded.textWidth);

  std::u16string tall;
  for (int i = 0; i < 400; ++i) tall += u"строка " + vb::CStr(static_cast<std::int64_t>(i)) + u"\r\n";
  platform::script::SetActive(false);
  platform::testing::RealMessageBox high;
  platform::testing::PressInNextMessageBox(u"ОК", &high);
  vb::MsgBox(tall, vb::vbInformation);
  platform::script::SetActive(true);
  EXPECT_EQ(high.text.substr(0, 18), u"строка 0\nстрока 1\n");
  EXPECT_NE(high.text.find(u"\n…\nстрока 399"), std::u16string::npos) << "the middle gives way, the end shows";
  EXPECT_LE(high.place.bottom, high.screen.bottom);
  EXPECT_GE(high.place.top, high.screen.top);
}

TEST(Collection, ItemsAreNumberedFromOneAndKeyedWithoutRegardToCase) {
  vb::Collection<int> c;
  c.Add(10, u"Первый");
  c.Add(30);
  c.Add(20, u"второй", 2);
  c.Add(5, {}, 0, 3);
  EXPECT_EQ(c.Count(), 4);
  EXPECT_EQ(c.Item(1), 10);
  EXPECT_EQ(c.Item(2), 20);
  EXPECT_EQ(c.Item(4), 5);
  EXPECT_EQ(c(u"ПЕРВЫЙ"), 10);
  EXPECT_EQ(c.Item(u"Второй"), 20);
  std::vector<int> seen;
  for (int v : c) seen.push_back(v);
  EXPECT_EQ(seen, (std::vector<int>{10, 20, 30, 5}));
  EXPECT_EQ(ErrorNumberOf([&] { c.Add(1, u"первый"); }), 457);
  EXPECT_EQ(ErrorNumberOf([&] { c.Item(0); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { c.Item(5); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { c.Item(u"нет такого"); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { c.Add(1, {}, 1, 1); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { c.Add(1, {}, 9); }), 9);
  c.Remove(u"первый");
  EXPECT_EQ(c.Item(1), 20);
  EXPECT_FALSE(c.Exists(u"Первый"));
  c.Add(11, u"первый");  // the key is free again
  EXPECT_EQ(c.Count(), 4);
}

TEST(Files, TextGoesOutAndComesBackAsWindows1251Lines) {
  qmtest::TempDir dir;
  const auto path = dir.path() / "doc.txt";
  const std::u16string p = vb::FromUtf8(path.string());
  const int n = vb::FreeFile();
  vb::Open(p, vb::OpenMode::Output, n);
  EXPECT_NE(vb::FreeFile(), n);
  vb::Print(n, u"Привет");
  vb::Print(n, u"a", false);
  vb::Print(n, u"b");
  vb::Close(n);
  vb::Open(p, vb::OpenMode::Append, n);
  vb::Print(n, u"ещё");
  vb::Close(n);
  EXPECT_EQ(ReadBytes(path), "\xcf\xf0\xe8\xe2\xe5\xf2\r\nab\r\n\xe5\xf9\xb8\r\n");

  WriteBytes(path, "one\r\ntwo\nthree\rfour");
  vb::Open(p, vb::OpenMode::Input, n);
  std::vector<std::u16string> lines;
  while (!vb::Eof(n)) lines.push_back(vb::LineInput(n));
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"one", u"two", u"three", u"four"}));
  EXPECT_EQ(ErrorNumberOf([&] { vb::LineInput(n); }), 62);
  EXPECT_EQ(vb::LOF(n), 19);
  vb::Close(n);
}

TEST(Files, BinaryFilesReadAndWriteAtOneBasedPositions) {
  qmtest::TempDir dir;
  const std::u16string p = vb::FromUtf8((dir.path() / "list.bin").string());
  vb::Open(p, vb::OpenMode::Binary, 3);
  vb::PutValue<std::int32_t>(3, 1, 0x5745E456);
  vb::Put(3, 0, "abc");
  vb::Put(3, 2, "Z");
  EXPECT_EQ(vb::LOF(3), 7);
  EXPECT_EQ(vb::GetValue<std::int32_t>(3, 1) & 0xFF, 0x56);
  EXPECT_EQ(vb::Get(3, 2, 1), "Z");
  EXPECT_EQ(vb::Get(3, 5, 3), "abc");
  EXPECT_TRUE(vb::Eof(3));
  vb::Close(3);
}

TEST(Files, FailuresRaiseTheRuntimesErrors) {
  qmtest::TempDir dir;
  const auto path = [&](const char* name) { return vb::FromUtf8((dir.path() / name).string()); };
  EXPECT_EQ(ErrorNumberOf([&] { vb::Open(path("missing.txt"), vb::OpenMode::Input, 1); }), 53);
  EXPECT_EQ(ErrorNumberOf([&] { vb::Open(path("no/such/dir/a.txt"), vb::OpenMode::Output, 1); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { vb::Open(vb::FromUtf8(dir.path().string()), vb::OpenMode::Output, 1); }), 75);
  EXPECT_EQ(ErrorNumberOf([&] { vb::Print(7, u"x"); }), 52);
  EXPECT_EQ(ErrorNumberOf([&] { vb::Open(path("a.txt"), vb::OpenMode::Output, 0); }), 52);
  vb::Open(path("a.txt"), vb::OpenMode::Output, 1);
  EXPECT_EQ(ErrorNumberOf([&] { vb::Open(path("b.txt"), vb::OpenMode::Output, 1); }), 55);
  EXPECT_EQ(ErrorNumberOf([&] { vb::LineInput(1); }), 54);
  vb::Close();
  EXPECT_EQ(ErrorNumberOf([&] { vb::Close(1); }), 52);
  if (::getuid() != 0) {
    std::filesystem::permissions(dir.path() / "a.txt", std::filesystem::perms::none);
    EXPECT_EQ(ErrorNumberOf([&] { vb::Open(path("a.txt"), vb::OpenMode::Input, 1); }), 70);
  }
  // A path written with "\" separators is the same file.
  const std::u16string backslashed = vb::FromUtf8(dir.path().string()) + u"\\c.txt";
  vb::Open(backslashed, vb::OpenMode::Output, 2);
  vb::Close(2);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "c.txt"));
  try {
    vb::Open(path("missing.txt"), vb::OpenMode::Input, 1);
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Description, vb::StandardErrorText(53));
  }
}

TEST(App, PrevInstanceSeesAnotherCopysLock) {
  qmtest::FreshSettings settings;
  std::filesystem::create_directories(settings.folder() / "quillmark");
  const std::string lock =
      (settings.folder() / "quillmark" / (vb::ToUtf8(vb::App.EXEName()) + ".lock")).string();
  auto childSees = [] {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(vb::App.PrevInstance() ? 1 : 0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WEXITSTATUS(status) == 1;
  };
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  EXPECT_TRUE(childSees());
  ::flock(fd, LOCK_UN);
  ::close(fd);
  EXPECT_FALSE(childSees());
}

namespace {

// A copy of the program in a child process: it asks whether another copy runs, tells the answer
// through a pipe, and runs until it is told to end.
struct Copy {
  pid_t pid = -1;
  int answer = -1;
  int end = -1;
};

Copy StartCopy() {
  int answer[2];
  int end[2];
  if (::pipe(answer) != 0 || ::pipe(end) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    const char another = vb::App.PrevInstance() ? 'y' : 'n';
    (void)!::write(answer[1], &another, 1);
    char c;
    (void)!::read(end[0], &c, 1);
    ::_exit(0);
  }
  ::close(answer[1]);
  ::close(end[0]);
  return Copy{pid, answer[0], end[1]};
}

bool SeesAnother(const Copy& copy) {
  char c = 0;
  return ::read(copy.answer, &c, 1) == 1 && c == 'y';
}

void EndCopy(const Copy& copy) {
  (void)!::write(copy.end, "!", 1);  // later copies hold this pipe open too: closing it is no signal
  ::close(copy.end);
  ::close(copy.answer);
  ::waitpid(copy.pid, nullptr, 0);
}

}  // namespace

// Every copy keeps its place while it runs, not only the first: after the first ends, the second
// still counts for a third.
TEST(App, EveryRunningCopyCountsForTheNext) {
  qmtest::FreshSettings settings;
  const Copy first = StartCopy();
  EXPECT_FALSE(SeesAnother(first));
  const Copy second = StartCopy();
  EXPECT_TRUE(SeesAnother(second));
  EndCopy(first);
  const Copy third = StartCopy();
  EXPECT_TRUE(SeesAnother(third));
  EndCopy(second);
  EndCopy(third);
  const Copy alone = StartCopy();
  EXPECT_FALSE(SeesAnother(alone));
  EndCopy(alone);
}

// A copy started without XDG_RUNTIME_DIR (from a terminal of another kind, a service) finds the
// lock of one started with it, and the reverse: the lock lies with the user's settings.
TEST(App, CopiesFindEachOtherWhateverTheirRuntimeFolder) {
  qmtest::FreshSettings settings;
  qmtest::TempDir runtime;
  const char* before = std::getenv("XDG_RUNTIME_DIR");
  const std::string kept = before != nullptr ? before : "";
  for (const bool firstHasOne : {true, false}) {
    firstHasOne ? (void)setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1) : (void)unsetenv("XDG_RUNTIME_DIR");
    const Copy first = StartCopy();
    EXPECT_FALSE(SeesAnother(first));
    !firstHasOne ? (void)setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1) : (void)unsetenv("XDG_RUNTIME_DIR");
    const Copy second = StartCopy();
    EXPECT_TRUE(SeesAnother(second)) << (firstHasOne ? "the second had none" : "the first had none");
    EndCopy(second);
    EndCopy(first);
  }
  before != nullptr ? (void)setenv("XDG_RUNTIME_DIR", kept.c_str(), 1) : (void)unsetenv("XDG_RUNTIME_DIR");
}

TEST(Screen, TwipsAreFifteenToAPixelAndFontsAreListed) {
  EXPECT_EQ(vb::Screen.TwipsPerPixelX(), 15);
  EXPECT_EQ(vb::Screen.TwipsPerPixelY(), 15);
  EXPECT_GT(vb::Screen.Width(), 0);
  EXPECT_EQ(static_cast<int>(vb::Screen.Width()) % 15, 0);
  ASSERT_GT(vb::Screen.FontCount(), 0);
  EXPECT_FALSE(vb::Screen.Fonts(0).empty());
  EXPECT_EQ(ErrorNumberOf([] { vb::Screen.Fonts(vb::Screen.FontCount()); }), 380);
  vb::Screen.MousePointer(11);
  EXPECT_EQ(vb::Screen.MousePointer(), 11);
  vb::Screen.MousePointer(0);
}

TEST(Shell, ProgramsStartAndDocumentsAndLinksOpen) {
  EXPECT_EQ(ErrorNumberOf([] { vb::Shell(u"/no/such/program"); }), 53);
  EXPECT_GT(vb::Shell(u"\"/bin/true.exe\" arg"), 0);  // found without the extension

  std::vector<std::u16string> opened;
  platform::testing::SetOpenHandler([&](const std::u16string& url) {
    opened.push_back(url);
    return true;
  });
  qmtest::PrivateDesktop desktop;
  desktop.Opens("text/plain");
  qmtest::TempDir dir;
  WriteBytes(dir.path() / "readme.txt", "x");
  EXPECT_GT(win::ShellExecuteA(0, u"Open", u"http://example.org/", u"", u"", 1), 32);
  EXPECT_GT(win::ShellExecuteA(0, u"open", u"mailto:someone@example.org", u"", u"", 1), 32);
  EXPECT_GT(win::ShellExecuteA(0, u"open", vb::FromUtf8((dir.path() / "readme.txt").string()), u"", u"", 1), 32);
  EXPECT_EQ(win::ShellExecuteA(0, u"open", vb::FromUtf8((dir.path() / "none.txt").string()), u"", u"", 1), win::SE_ERR_FNF);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], u"http://example.org/");
  EXPECT_EQ(opened[1], u"mailto:someone@example.org");
  EXPECT_EQ(opened[2], u"file://" + vb::FromUtf8((dir.path() / "readme.txt").string()));
  // A document of a type no program of the desktop opens is not handed to the opener.
  WriteBytes(dir.path() / "scan.tiff", "II*");
  EXPECT_EQ(win::ShellExecuteA(0, u"open", vb::FromUtf8((dir.path() / "scan.tiff").string()), u"", u"", 1),
            win::SE_ERR_NOASSOC);
  EXPECT_EQ(opened.size(), 3u);
  platform::testing::SetOpenHandler(nullptr);
}

TEST(Sound, ANewSoundReplacesTheOneAndAMissingFileIsSilent) {
  qmtest::TempDir dir;
  // A short silent wave file: 8 kHz, 8 bits, mono, 800 samples.
  std::string wav = "RIFF";
  auto u32 = [&](std::uint32_t v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
  u32(36 + 800);
  wav += "WAVEfmt ";
  u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
  wav += "data";
  u32(800);
  wav.append(800, '\x80');
  const auto first = dir.path() / "a.wav";
  const auto second = dir.path() / "b.wav";
  WriteBytes(first, wav);
  WriteBytes(second, wav);
  constexpr win::UINT flags = win::SND_ASYNC | win::SND_NODEFAULT;
  EXPECT_EQ(win::sndPlaySoundA(vb::FromUtf8(first.string()), flags), win::TRUE);
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8(first.string()));
  EXPECT_EQ(win::sndPlaySoundA(vb::FromUtf8(second.string()), flags), win::TRUE);
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8(second.string()));
  EXPECT_EQ(win::sndPlaySoundA(vb::FromUtf8((dir.path() / "none.wav").string()), flags), win::FALSE);
  EXPECT_EQ(win::sndPlaySoundA(u"", flags), win::FALSE);
  EXPECT_EQ(platform::testing::CurrentSound(), u"");
}
