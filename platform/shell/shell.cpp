#include "platform/shell/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QUrl>

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

// Splits a command line at blanks; double quotes group.
QStringList SplitCommand(const QString& command) {
  QStringList out;
  QString cur;
  bool quoted = false, any = false;
  for (QChar c : command) {
    if (c == QLatin1Char('"')) {
      quoted = !quoted;
      any = true;
    } else if (c == QLatin1Char(' ') && !quoted) {
      if (any) out << cur;
      cur.clear();
      any = false;
    } else {
      cur += c;
      any = true;
    }
  }
  if (any) out << cur;
  return out;
}

}  // namespace

namespace vb {

double Shell(std::u16string_view command, int) {
  const QStringList parts = SplitCommand(LocalPath(command));
  if (parts.isEmpty()) Raise(err::kInvalidProcedureCall);
  std::vector<std::u16string> arguments;
  for (qsizetype i = 1; i < parts.size(); ++i) arguments.push_back(parts[i].toStdU16String());
  return platform::shell::StartProgram(parts.front().toStdU16String(), arguments);
}

}  // namespace vb

namespace platform::shell {

double StartProgram(std::u16string_view path, const std::vector<std::u16string>& arguments) {
  QString program = LocalPath(path);
  if (program.isEmpty()) vb::Raise(vb::err::kInvalidProcedureCall);
  if (program.contains(QLatin1Char('/')) && !QFileInfo::exists(program) && program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
    program.chop(4);
  if (program.contains(QLatin1Char('/')) && !QFileInfo(program).isExecutable()) vb::Raise(vb::err::kFileNotFound);
  QStringList args;
  for (const std::u16string& a : arguments) args << QString::fromStdU16String(a);
  qint64 pid = 0;
  if (!QProcess::startDetached(program, args, QString(), &pid)) vb::Raise(vb::err::kFileNotFound);
  return static_cast<double>(pid);
}

}  // namespace platform::shell

namespace win {

HINSTANCE ShellExecuteA(HWND, std::u16string_view operation, std::u16string_view file, std::u16string_view,
                        std::u16string_view, int) {
  const QString verb = QString::fromStdU16String(std::u16string(operation));
  if (!verb.isEmpty() && verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0) return SE_ERR_NOASSOC;
  const QString target = QString::fromStdU16String(std::u16string(file));
  QUrl url = QUrl(target, QUrl::StrictMode);
  // A path (with a drive-less "\" or "/") is a file; "http:", "mailto:" and the like are addresses.
  if (url.scheme().size() < 2) {
    const QString path = LocalPath(file);
    if (!QFileInfo::exists(path)) return SE_ERR_FNF;
    url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  }
  const std::u16string address = url.toString().toStdU16String();
  const bool opened = openHandler() ? openHandler()(address) : QDesktopServices::openUrl(url);
  return opened ? 42 : SE_ERR_NOASSOC;
}

}  // namespace win

namespace platform::testing {

void SetOpenHandler(std::function<bool(const std::u16string&)> handler) { openHandler() = std::move(handler); }

}  // namespace platform::testing
