#include "platform/shell/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "platform/shell/desktop_programs.h"
#include "platform/shell/start_hook.h"
#include "platform/vb/error.h"

namespace {

std::function<bool(const std::u16string&)>& openHandler() {
  static std::function<bool(const std::u16string&)> h;
  return h;
}

QString LocalPath(std::u16string_view p) {
  QString s = QString::fromStdU16String(std::u16string(p));
  s.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return s;
}

bool Open(const QUrl& url) {
  return openHandler() ? openHandler()(url.toString().toStdU16String()) : QDesktopServices::openUrl(url);
}

// Whether the desktop has a program for the file's type or a type it is a kind of. Every type is a
// kind of application/octet-stream, whose program (if any) opens nothing in particular.
bool DesktopOpens(const QString& path) {
  const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
  QStringList types{type.name()};
  types += type.allAncestors();
  types.removeAll(QStringLiteral("application/octet-stream"));
  for (const QString& t : types)
    if (platform::shell::DesktopHasProgramFor(t.toStdU16String())) return true;
  return false;
}

}  // namespace

namespace platform::shell {

Opened OpenDocument(std::u16string_view file) {
  const QString path = LocalPath(file);
  const QFileInfo info(path);
  if (!info.exists()) return Opened::NoFile;
  if (!DesktopOpens(path)) return Opened::NoProgram;
  return Open(QUrl::fromLocalFile(info.absoluteFilePath())) ? Opened::Yes : Opened::NoProgram;
}

}  // namespace platform::shell

namespace vb {

double Shell(std::u16string_view command, int) {
  const std::vector<std::u16string> words = platform::shell::SplitCommand(command);
  if (words.empty()) Raise(err::kInvalidProcedureCall);
  return platform::shell::StartProgramFile(words.front(), {words.begin() + 1, words.end()});
}

}  // namespace vb

namespace platform::shell {

std::vector<std::u16string> SplitCommand(std::u16string_view command) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool quoted = false, any = false;
  for (char16_t c : command) {
    if (c == u'"') {
      quoted = !quoted;
      any = true;
    } else if (c == u' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  if (!words.empty()) words.front() = LocalPath(words.front()).toStdU16String();
  return words;
}

std::int64_t StartProgram(const std::vector<std::u16string>& words, std::u16string_view directory) {
  if (words.empty()) return 0;
  const std::vector<std::u16string> arguments(words.begin() + 1, words.end());
  if (const auto& hook = detail::StartHook()) return hook(words.front(), arguments, std::u16string(directory));
  QStringList list;
  for (const std::u16string& a : arguments) list << QString::fromStdU16String(a);
  qint64 pid = 0;
  const QString folder = QString::fromStdU16String(std::u16string(directory));
  if (!QProcess::startDetached(QString::fromStdU16String(words.front()), list, folder, &pid)) return 0;
  return pid;
}

double StartProgramFile(std::u16string_view path, const std::vector<std::u16string>& arguments) {
  QString program = LocalPath(path);
  if (program.isEmpty()) vb::Raise(vb::err::kInvalidProcedureCall);
  if (program.contains(QLatin1Char('/')) && !QFileInfo::exists(program) && program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
    program.chop(4);
  if (program.contains(QLatin1Char('/')) && !QFileInfo(program).isExecutable()) vb::Raise(vb::err::kFileNotFound);
  std::vector<std::u16string> words{program.toStdU16String()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  const std::int64_t pid = StartProgram(words);
  if (pid == 0) vb::Raise(vb::err::kFileNotFound);
  return static_cast<double>(pid);
}

ProgramStarter& detail::StartHook() {
  static ProgramStarter hook;
  return hook;
}

}  // namespace platform::shell

namespace win {

HINSTANCE ShellExecuteA(HWND, std::u16string_view operation, std::u16string_view file, std::u16string_view,
                        std::u16string_view, int) {
  const QString verb = QString::fromStdU16String(std::u16string(operation));
  if (!verb.isEmpty() && verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0) return SE_ERR_NOASSOC;
  const QString target = QString::fromStdU16String(std::u16string(file));
  const QUrl url = QUrl(target, QUrl::StrictMode);
  // A path (with a drive-less "\" or "/") is a file; "http:", "mailto:" and the like are addresses.
  if (url.scheme().size() < 2) {
    switch (platform::shell::OpenDocument(file)) {
      case platform::shell::Opened::Yes: return 42;
      case platform::shell::Opened::NoFile: return SE_ERR_FNF;
      case platform::shell::Opened::NoProgram: return SE_ERR_NOASSOC;
    }
  }
  return Open(url) ? 42 : SE_ERR_NOASSOC;
}

}  // namespace win

namespace platform::testing {

void SetOpenHandler(std::function<bool(const std::u16string&)> handler) { openHandler() = std::move(handler); }

}  // namespace platform::testing
