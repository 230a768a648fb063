#include "platform/dialogs/common_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/script/script.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"
#include "platform/vb/printer_device.h"

namespace vb {
namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QString FilePath(std::u16string_view path) {
  QString p = ToQ(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

// "description|pattern|..." as the toolkit's name filters, "description (pattern pattern)".
QStringList NameFilters(const std::u16string& filter) {
  const QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts.at(i + 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.trimmed().isEmpty()) continue;
    out << parts.at(i) + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
  }
  return out;
}

// "*.txt|*.*" gives "txt"; wildcards give nothing.
QString DefaultSuffix(const std::u16string& defaultExt) {
  QString ext = ToQ(defaultExt).section(QLatin1Char('|'), 0, 0).trimmed();
  while (ext.startsWith(QLatin1Char('*')) || ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
  if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) || ext.contains(QLatin1Char(';'))) return {};
  return ext;
}

std::optional<platform::script::Answer> Scripted(platform::script::Kind kind, const std::u16string& title,
                                                 const std::u16string& prompt, int flags) {
  platform::script::Shown shown;
  shown.kind = kind;
  shown.title = title;
  shown.prompt = prompt;
  shown.flags = flags;
  return platform::script::Take(shown);
}

}  // namespace

void CommonDialog::Cancelled() {
  if (CancelError) Raise(cdlCancel, u"CommonDialog", u"Выбрана отмена.");
}

void CommonDialog::ShowOpen() { ShowFile(false); }
void CommonDialog::ShowSave() { ShowFile(true); }

void CommonDialog::ShowFile(bool save) {
  const std::u16string title = !DialogTitle.empty() ? DialogTitle : save ? u"Сохранить как" : u"Открыть";
  QString chosen;
  bool accepted = false;
  if (auto answer = Scripted(save ? platform::script::Kind::SaveFile : platform::script::Kind::OpenFile, title,
                             Filter, Flags)) {
    accepted = answer->result != 0 && !answer->text.empty();
    chosen = FilePath(answer->text);
  } else {
    const QString dir = InitDir.empty() ? QDir::currentPath() : FilePath(InitDir);
    QFileDialog dialog(QApplication::activeWindow(), ToQ(title), dir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && (Flags & cdlOFNOverwritePrompt) == 0) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFilters(Filter);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      dialog.selectNameFilter(filters.value(std::clamp<int>(FilterIndex, 1, static_cast<int>(filters.size())) - 1));
    }
    dialog.setDefaultSuffix(DefaultSuffix(DefaultExt));
    if (!FileName.empty()) dialog.selectFile(FilePath(FileName));
    accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (accepted) {
      chosen = dialog.selectedFiles().constFirst();
      const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
      if (index >= 0) FilterIndex = static_cast<int>(index) + 1;
    }
  }
  if (!accepted) {
    FileName.clear();
    FileTitle.clear();
    Cancelled();
    return;
  }
  const QString suffix = DefaultSuffix(DefaultExt);
  if (save && !suffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QLatin1Char('.') + suffix;
  FileName = FromQ(chosen);
  FileTitle = FromQ(QFileInfo(chosen).fileName());
}

void CommonDialog::ShowColor() {
  QColor chosen;
  if (auto answer = Scripted(platform::script::Kind::Color, DialogTitle, {}, Flags)) {
    if (answer->result != 0) {
      const long v = ToQ(answer->text).toLong();
      chosen = QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
    }
  } else {
    const QColor initial(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
    chosen = QColorDialog::getColor(initial, QApplication::activeWindow(), ToQ(DialogTitle));
  }
  if (!chosen.isValid()) {
    Cancelled();
    return;
  }
  Color = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

void CommonDialog::ShowFont() {
  QFont initial(ToQ(FontName));
  if (FontSize > 0) initial.setPointSizeF(FontSize);
  initial.setBold(FontBold);
  initial.setItalic(FontItalic);
  initial.setUnderline(FontUnderline);
  initial.setStrikeOut(FontStrikethru);
  QFont chosen = initial;
  bool accepted = false;
  if (auto answer = Scripted(platform::script::Kind::Font, DialogTitle, FontName, Flags)) {
    accepted = answer->result != 0;
    const QStringList parts = ToQ(answer->text).split(QLatin1Char('|'));
    if (!parts.value(0).isEmpty()) chosen.setFamily(parts.value(0));
    if (parts.size() > 1 && parts.at(1).toDouble() > 0) chosen.setPointSizeF(parts.at(1).toDouble());
  } else {
    chosen = QFontDialog::getFont(&accepted, initial, QApplication::activeWindow(), ToQ(DialogTitle));
  }
  if (!accepted) {
    Cancelled();
    return;
  }
  FontName = FromQ(chosen.family());
  FontSize = chosen.pointSizeF();
  FontBold = chosen.bold();
  FontItalic = chosen.italic();
  FontUnderline = chosen.underline();
  FontStrikethru = chosen.strikeOut();
}

void CommonDialog::ShowPrinter() {
  if (auto answer = Scripted(platform::script::Kind::Printer, DialogTitle, Printer.DeviceName(), Flags)) {
    if (answer->result == 0) {
      Cancelled();
      return;
    }
    for (int i = 0; i < Printers.Count(); ++i)
      if (QString::compare(ToQ(Printers.Item(i).DeviceName), ToQ(answer->text), Qt::CaseInsensitive) == 0) Printer.Select(i);
    return;
  }
  QPrintDialog dialog(&platform::detail::ConfiguredPrinter(), QApplication::activeWindow());
  if (!DialogTitle.empty()) dialog.setWindowTitle(ToQ(DialogTitle));
  if (dialog.exec() != QDialog::Accepted) {
    Cancelled();
    return;
  }
  platform::detail::TakePrinterChoice(*dialog.printer());
}

}  // namespace vb
