#include "platform/shell/desktop_programs.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTextStream>

namespace platform::shell {
namespace {

QString Env(const char* name, const QString& fallback) {
  const QString value = qEnvironmentVariable(name);
  return value.isEmpty() ? fallback : value;
}

QStringList Folders(const char* name, const QString& fallback) {
  return Env(name, fallback).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QStringList ApplicationFolders() {
  QStringList dirs{Env("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"))};
  dirs += Folders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
  for (QString& d : dirs) d += QStringLiteral("/applications");
  return dirs;
}

// Every mimeapps.list that may say something, the most important first.
QStringList AssociationLists() {
  QStringList dirs{Env("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"))};
  dirs += Folders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
  dirs += ApplicationFolders();
  const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
  QStringList lists;
  for (const QString& dir : dirs) {
    for (const QString& desktop : desktops) lists << dir + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list");
    lists << dir + QStringLiteral("/mimeapps.list");
  }
  return lists;
}

// The programs "type=a.desktop;b.desktop;" names in a group of a list or cache file.
QStringList Entries(const QString& file, const QString& group, const QString& type) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&f);
  const QString header = QLatin1Char('[') + group + QLatin1Char(']');
  const QString key = type + QLatin1Char('=');
  bool inside = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      inside = line == header;
    } else if (inside && line.startsWith(key)) {
      return line.mid(key.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
  }
  return {};
}

// The desktop entry of a program id, "vendor-app.desktop" also standing for "vendor/app.desktop".
QString EntryFile(const QString& id) {
  for (const QString& dir : ApplicationFolders()) {
    if (QFile::exists(dir + QLatin1Char('/') + id)) return dir + QLatin1Char('/') + id;
    QString nested = id;
    if (const qsizetype dash = nested.indexOf(QLatin1Char('-')); dash > 0) {
      nested[dash] = QLatin1Char('/');
      if (QFile::exists(dir + QLatin1Char('/') + nested)) return dir + QLatin1Char('/') + nested;
    }
  }
  return {};
}

// An entry that says Hidden=true counts as deleted.
bool Installed(const QString& id) {
  const QString file = EntryFile(id);
  return !file.isEmpty() && Entries(file, QStringLiteral("Desktop Entry"), QStringLiteral("Hidden")) != QStringList{QStringLiteral("true")};
}

// The programs of an applications folder whose entries list the type.
QStringList Listing(const QString& dir, const QString& type) {
  const QString cache = dir + QStringLiteral("/mimeinfo.cache");
  if (QFile::exists(cache)) return Entries(cache, QStringLiteral("MIME Cache"), type);
  QStringList ids;
  for (const QString& name : QDir(dir).entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
    if (Entries(dir + QLatin1Char('/') + name, QStringLiteral("Desktop Entry"), QStringLiteral("MimeType")).contains(type))
      ids << name;
  }
  return ids;
}

}  // namespace

bool DesktopHasProgramFor(const std::u16string& mimeType) {
  const QString type = QString::fromStdU16String(mimeType);
  QSet<QString> removed;
  const auto usable = [&](const QString& id) { return !removed.contains(id) && Installed(id); };
  for (const QString& list : AssociationLists()) {
    for (const char* group : {"Default Applications", "Added Associations"})
      for (const QString& id : Entries(list, QString::fromLatin1(group), type))
        if (usable(id)) return true;
    for (const QString& id : Entries(list, QStringLiteral("Removed Associations"), type)) removed.insert(id);
  }
  for (const QString& dir : ApplicationFolders())
    for (const QString& id : Listing(dir, type))
      if (usable(id)) return true;
  return false;
}

}  // namespace platform::shell
