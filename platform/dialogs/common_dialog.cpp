#include "platform/dialogs/common_dialog.h"

#include <QApplication>
#include <QDialog>

#include "platform/dialogs/colour_dialog.h"
#include "platform/dialogs/file_dialog_run.h"
#include "platform/dialogs/font_dialog.h"
#include "platform/script/script.h"
#include "platform/vb/error.h"
#include "platform/vb/modal_dialog.h"
#include "platform/vb/printer.h"
#include "platform/vb/print_system.h"
#include "platform/vb/printer_device.h"

namespace vb {
namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

// "description|pattern|..." split at every "|".
std::vector<std::u16string> FilterParts(const std::u16string& filter) {
  std::vector<std::u16string> parts;
  std::size_t from = 0;
  for (std::size_t bar; (bar = filter.find(u'|', from)) != std::u16string::npos; from = bar + 1)
    parts.push_back(filter.substr(from, bar - from));
  parts.push_back(filter.substr(from));
  return parts;
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
  platform::dialogs::FileDialogRequest request;
  request.save = save;
  request.title = !DialogTitle.empty() ? DialogTitle : save ? u"Сохранить как" : u"Открыть";
  request.initialDir = InitDir;
  request.filter = FilterParts(Filter);
  request.filterIndex = FilterIndex;
  request.offered = FileName;
  request.defaultSuffix = DefaultSuffix(DefaultExt).toStdU16String();
  request.confirmOverwrite = (Flags & cdlOFNOverwritePrompt) != 0;
  request.scriptPrompt = Filter;
  request.scriptFlags = Flags;
  const std::optional<std::u16string> chosen = platform::dialogs::RunFileDialog(request);
  if (!chosen) {
    FileName.clear();
    FileTitle.clear();
    Cancelled();
    return;
  }
  FilterIndex = request.filterIndex;
  FileName = *chosen;
  FileTitle = chosen->substr(chosen->rfind(u'/') + 1);
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
    chosen = platform::detail::AskForColour(initial, ToQ(DialogTitle)).value_or(QColor());
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
    const std::optional<QFont> asked = platform::detail::AskForFont(initial, platform::detail::DialogOwner(), ToQ(DialogTitle));
    accepted = asked.has_value();
    if (asked) chosen = *asked;
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
  platform::detail::PrintSystem* system = platform::detail::Printing();
  if (system == nullptr) {
    Cancelled();
    return;
  }
  system->SetUp(platform::detail::CurrentPrinterSetup());
  platform::detail::ModalDialog<QDialog> dialog(platform::detail::MadeElsewhere{},
                                                system->NewPrintDialog(platform::detail::DialogOwner()));
  if (!DialogTitle.empty()) dialog->setWindowTitle(ToQ(DialogTitle));
  if (!dialog.Accepted()) {
    Cancelled();
    return;
  }
  platform::detail::TakePrinterChoice(system->Choice(*dialog));
}

}  // namespace vb
