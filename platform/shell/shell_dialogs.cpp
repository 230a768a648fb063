#include "platform/shell/shell_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <string>
#include <unordered_set>

#include "platform/script/script.h"
#include "platform/vb/modal_dialog.h"
#include "platform/win/window_record.h"

namespace win {

struct ITEMIDLIST {
  std::u16string path;
};

namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

std::unordered_set<const ITEMIDLIST*>& lists() {
  static std::unordered_set<const ITEMIDLIST*> l;
  return l;
}

PIDLIST_ABSOLUTE NewList(std::u16string path) {
  auto* p = new ITEMIDLIST{std::move(path)};
  lists().insert(p);
  return p;
}

// A path as the toolkit writes it, "\" taken as a separator.
QString Clean(std::u16string_view path) {
  QString p = ToQ(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
}

bool Within(const QString& path, const QString& root) {
  if (root.isEmpty() || path == root) return true;
  const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
  return path.startsWith(prefix);
}

}  // namespace

PIDLIST_ABSOLUTE SHBrowseForFolderA(const BROWSEINFOA* bi) {
  if (bi == nullptr) return nullptr;
  const QString root = bi->pidlRoot != nullptr && lists().count(bi->pidlRoot) != 0 ? Clean(bi->pidlRoot->path) : QString();
  const std::u16string prompt = bi->lpszTitle != nullptr ? std::u16string(bi->lpszTitle) : std::u16string();
  QString chosen;
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Folder;
  shown.title = prompt.empty() ? u"Обзор папок" : prompt;
  shown.prompt = prompt;
  shown.flags = static_cast<int>(bi->ulFlags);
  if (auto answer = platform::script::Take(shown)) {
    if (answer->result == 0 || answer->text.empty()) return nullptr;
    chosen = Clean(answer->text);
  } else {
    platform::detail::ModalDialog<QFileDialog> dialog(platform::detail::DialogOwner(), ToQ(shown.title),
                                                      root.isEmpty() ? QDir::homePath() : root);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, (bi->ulFlags & BIF_BROWSEINCLUDEFILES) == 0);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Выбрать"));
    if (!dialog.Accepted() || dialog->selectedFiles().isEmpty()) return nullptr;
    chosen = Clean(FromQ(dialog->selectedFiles().constFirst()));
  }
  if (!Within(chosen, root)) return nullptr;  // only the root and what lies below it
  if (bi->pszDisplayName != nullptr) {
    const std::u16string name = FromQ(QFileInfo(chosen).fileName()).substr(0, MAX_PATH - 1);
    std::copy(name.begin(), name.end(), bi->pszDisplayName);
    bi->pszDisplayName[name.size()] = 0;
  }
  return NewList(FromQ(chosen));
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE pidl, char16_t* path) {
  if (pidl == nullptr || path == nullptr || lists().count(pidl) == 0) return FALSE;
  if (pidl->path.empty() || pidl->path.size() + 1 > static_cast<std::size_t>(MAX_PATH)) return FALSE;
  std::copy(pidl->path.begin(), pidl->path.end(), path);
  path[pidl->path.size()] = 0;
  return TRUE;
}

PIDLIST_ABSOLUTE SHSimpleIDListFromPath(const char16_t* path) {
  if (path == nullptr || *path == 0) return nullptr;
  return NewList(FromQ(Clean(path)));
}

void ILFree(PIDLIST_ABSOLUTE pidl) { CoTaskMemFree(pidl); }

void CoTaskMemFree(void* p) {
  auto* list = static_cast<ITEMIDLIST*>(p);
  if (list == nullptr || lists().erase(list) == 0) return;
  delete list;
}

BOOL ShellAboutA(HWND, std::u16string_view app, std::u16string_view otherStuff, HICON) {
  std::u16string name(app.substr(0, app.find(u'\0')));
  std::u16string firstLine = name;
  if (const std::size_t hash = name.find(u'#'); hash != std::u16string::npos) {
    firstLine = name.substr(hash + 1);
    name = name.substr(0, hash);
  }
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Other;
  shown.title = u"О программе " + name;
  shown.prompt = firstLine + u"\n" + std::u16string(otherStuff.substr(0, otherStuff.find(u'\0')));
  if (platform::script::Take(shown)) return TRUE;
  platform::detail::ModalDialog<QMessageBox> box(QMessageBox::Information, ToQ(shown.title), ToQ(shown.prompt),
                                                 QMessageBox::NoButton, platform::detail::DialogOwner());
  box->addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
  platform::detail::ShowWithoutMinMaxButtons(&*box);
  box.Accepted();
  return TRUE;
}

DWORD SHFormatDrive(HWND, UINT, UINT, UINT) { return SHFMT_NOFORMAT; }

}  // namespace win
