#include "platform/vb/printer.h"
#include "platform/gdi/types.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cups/cups.h>
#include <memory>

#include "platform/gdi/device_caps.h"
#include "platform/vb/error.h"
#include "platform/vb/printer_device.h"

namespace vb {

PrinterObject Printer;
PrintersCollection Printers;

namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

[[noreturn]] void InvalidValue() { Raise(err::kInvalidPropertyValue, u"Printer", u"Недопустимое значение свойства"); }

QPageSize::PageSizeId PageSizeOf(int paperSize) {
  switch (paperSize) {
    case vbPRPSLetter: return QPageSize::Letter;
    case vbPRPSLegal: return QPageSize::Legal;
    case vbPRPSA3: return QPageSize::A3;
    case vbPRPSA4: return QPageSize::A4;
    case vbPRPSA5: return QPageSize::A5;
    case vbPRPSB4: return QPageSize::B4;      // 250 x 353 mm
    case vbPRPSB5: return QPageSize::JisB5;   // 182 x 257 mm
    default: return QPageSize::Custom;
  }
}

int ResolutionOf(int quality) {
  switch (quality) {
    case vbPRPQDraft: return 150;
    case vbPRPQLow: return 300;
    case vbPRPQMedium: return 600;
    case vbPRPQHigh: return 1200;
    default: return quality;
  }
}

struct State {
  QString device;
  int orientation = vbPRORPortrait;
  int paperSize = vbPRPSA4;
  int colorMode = vbPRCMColor;
  int quality = vbPRPQHigh;
  int copies = 1;
  int duplex = vbPRDPSimplex;
  QString fontName = QStringLiteral("Arial");
  double fontSize = 10;
  int scaleMode = 1;
  double currentX = 0;
  double currentY = 0;
  QString pdfPath;  // the PDF printer's file as chosen; empty: "Quillmark.pdf" in the documents folder
  QString jobName;
  std::unique_ptr<QPrinter> printer;
  std::unique_ptr<QPainter> painter;  // while a document is open
  win::LONG_PTR hdc = 0;
  win::LONG_PTR lastHdc = 0x7A000000;
};

// The printer's state lives as long as the process (never destroyed after the toolkit is gone).
State& S() {
  static State* s = [] {
    auto* st = new State;
    st->device = QPrinterInfo::defaultPrinterName();
    if (st->device.isEmpty()) st->device = ToQ(platform::printing::kPdfPrinterName);
    return st;
  }();
  return *s;
}

bool IsPdf(const QString& device) { return device == ToQ(platform::printing::kPdfPrinterName); }

// The documents folder as the desktop names it (XDG_DOCUMENTS_DIR of the user's user-dirs.dirs), else
// "Documents" in the home folder; found afresh at every print, so a changed setting counts at once.
QString DocumentsFolder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

QString PdfFile() {
  const State& s = S();
  return s.pdfPath.isEmpty() ? QDir(DocumentsFolder()).filePath(QStringLiteral("Quillmark.pdf")) : s.pdfPath;
}

[[noreturn]] void CannotWrite(const QString& what) { Raise(err::kPrinterError, u"Printer", FromQ(what)); }

// The folder of the PDF file exists before the file is begun: the documents folder is made when it
// is missing; a folder chosen in the print dialog must be there.
void PrepareFolderOf(const QString& file) {
  const QString folder = QFileInfo(file).absolutePath();
  if (QFileInfo(folder).isDir()) return;
  if (S().pdfPath.isEmpty()) {
    if (!QDir().mkpath(folder)) CannotWrite(ToQ(u"не удалось создать папку документов ''%1''").arg(folder));
    return;
  }
  CannotWrite(ToQ(u"папки ''%1'' для файла ''%2'' нет").arg(folder, file));
}

// The printer set up from the state; while a document is open it stays as it began.
QPrinter& Device() {
  State& s = S();
  if (s.painter != nullptr) return *s.printer;
  if (s.printer == nullptr) s.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& p = *s.printer;
  if (IsPdf(s.device)) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(PdfFile());
  } else {
    p.setOutputFormat(QPrinter::NativeFormat);
    p.setPrinterName(s.device);
  }
  p.setResolution(ResolutionOf(s.quality));
  p.setPageSize(QPageSize(PageSizeOf(s.paperSize)));
  p.setPageOrientation(s.orientation == vbPRORLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  p.setColorMode(s.colorMode == vbPRCMMonochrome ? QPrinter::GrayScale : QPrinter::Color);
  p.setCopyCount(s.copies);
  p.setDocName(s.jobName.isEmpty() ? QStringLiteral("Quillmark") : s.jobName);
  platform::detail::SetDuplex(p, s.duplex);
  p.setFullPage(false);
  // The printable area is all the device can reach.
  p.setPageMargins(p.pageLayout().minimumMargins(), p.pageLayout().units());
  return p;
}

int Dpi() { return Device().resolution(); }
QRect FullRect() { return Device().pageLayout().fullRectPixels(Dpi()); }
QRect PaintRect() { return Device().pageLayout().paintRectPixels(Dpi()); }

double TwipsPerUnit(int scaleMode) {
  switch (scaleMode) {
    case 2: return 20.0;
    case 3: return 1440.0 / Dpi();
    case 4: return 120.0;  // characters: 120 twips wide, 240 high (ScaleY doubles it)
    case 5: return 1440.0;
    case 6: return 1440.0 / 25.4;
    case 7: return 1440.0 / 2.54;
    default: return 1.0;
  }
}
double TwipsPerUnitY(int scaleMode) { return scaleMode == 4 ? 240.0 : TwipsPerUnit(scaleMode); }

double PixelsFromUnitsX(double v) { return v * TwipsPerUnit(S().scaleMode) * Dpi() / 1440.0; }
double PixelsFromUnitsY(double v) { return v * TwipsPerUnitY(S().scaleMode) * Dpi() / 1440.0; }

QPainter& OpenDocument() {
  State& s = S();
  if (s.painter != nullptr) return *s.painter;
  if (IsPdf(s.device)) PrepareFolderOf(PdfFile());
  QPrinter& p = Device();
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(&p)) {
    if (IsPdf(s.device)) CannotWrite(ToQ(u"не удалось записать файл ''%1''").arg(p.outputFileName()));
    Raise(err::kPrinterError, u"Printer", u"Ошибка принтера");
  }
  s.painter = std::move(painter);
  s.hdc = ++s.lastHdc;
  platform::gdi::SetDeviceCapsAnswerer(&platform::detail::PrinterDeviceCaps);
  s.currentX = 0;
  s.currentY = 0;
  return *s.painter;
}

QFont PrinterFont() {
  QFont f(S().fontName);
  f.setPointSizeF(S().fontSize > 0 ? S().fontSize : 10);
  return f;
}

}  // namespace

std::u16string PrinterObject::DeviceName() const { return FromQ(S().device); }

int PrinterObject::Orientation() const { return S().orientation; }
void PrinterObject::Orientation(int orientation) {
  if (orientation != vbPRORPortrait && orientation != vbPRORLandscape) InvalidValue();
  S().orientation = orientation;
}

int PrinterObject::PaperSize() const { return S().paperSize; }
void PrinterObject::PaperSize(int paperSize) {
  if (PageSizeOf(paperSize) == QPageSize::Custom) InvalidValue();
  S().paperSize = paperSize;
}

int PrinterObject::ColorMode() const { return S().colorMode; }
void PrinterObject::ColorMode(int colorMode) {
  if (colorMode != vbPRCMMonochrome && colorMode != vbPRCMColor) InvalidValue();
  S().colorMode = colorMode;
}

int PrinterObject::PrintQuality() const { return S().quality; }
void PrinterObject::PrintQuality(int quality) {
  if (quality < vbPRPQHigh || quality == 0 || quality > 4800) InvalidValue();
  S().quality = quality;
}

int PrinterObject::Copies() const { return S().copies; }
void PrinterObject::Copies(int copies) {
  if (copies < 1 || copies > 9999) InvalidValue();
  S().copies = copies;
}

int PrinterObject::Duplex() const { return S().duplex; }
void PrinterObject::Duplex(int duplex) {
  if (duplex < vbPRDPSimplex || duplex > vbPRDPVertical) InvalidValue();
  S().duplex = duplex;
}

std::u16string PrinterObject::JobName() const { return FromQ(S().jobName); }
void PrinterObject::JobName(std::u16string_view name) { S().jobName = ToQ(name); }

std::u16string PrinterObject::Port() const { return platform::printing::PortOf(DeviceName()); }

std::u16string PrinterObject::FontName() const { return FromQ(S().fontName); }
void PrinterObject::FontName(std::u16string_view name) { S().fontName = ToQ(name); }
double PrinterObject::FontSize() const { return S().fontSize; }
void PrinterObject::FontSize(double points) {
  if (points <= 0 || points > 2048) InvalidValue();
  S().fontSize = points;
}

int PrinterObject::ScaleMode() const { return S().scaleMode; }
void PrinterObject::ScaleMode(int scaleMode) {
  if (scaleMode < 0 || scaleMode > 7) InvalidValue();
  S().scaleMode = scaleMode;
}

double PrinterObject::ScaleWidth() const { return ScaleX(PaintRect().width(), 3, S().scaleMode); }
double PrinterObject::ScaleHeight() const { return ScaleY(PaintRect().height(), 3, S().scaleMode); }
double PrinterObject::Width() const { return ScaleX(FullRect().width(), 3, 1); }
double PrinterObject::Height() const { return ScaleY(FullRect().height(), 3, 1); }

double PrinterObject::CurrentX() const { return S().currentX; }
void PrinterObject::CurrentX(double x) { S().currentX = x; }
double PrinterObject::CurrentY() const { return S().currentY; }
void PrinterObject::CurrentY(double y) { S().currentY = y; }

double PrinterObject::ScaleX(double value, int fromScale, int toScale) const {
  return value * TwipsPerUnit(fromScale) / TwipsPerUnit(toScale);
}
double PrinterObject::ScaleY(double value, int fromScale, int toScale) const {
  return value * TwipsPerUnitY(fromScale) / TwipsPerUnitY(toScale);
}

win::LONG_PTR PrinterObject::hDC() {
  OpenDocument();
  return S().hdc;
}

void PrinterObject::Print(std::u16string_view text) {
  QPainter& painter = OpenDocument();
  State& s = S();
  const QFont font = PrinterFont();
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(font, s.printer.get());
  const QStringList lines = ToQ(text).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  for (const QString& line : lines) {
    const double x = PixelsFromUnitsX(s.currentX);
    const double y = PixelsFromUnitsY(s.currentY);
    painter.drawText(QPointF(x, y + metrics.ascent()), line);
    s.currentX = 0;
    s.currentY += ScaleY(metrics.height(), 3, s.scaleMode);
  }
}

void PrinterObject::NewPage() {
  OpenDocument();
  State& s = S();
  s.printer->newPage();
  s.currentX = 0;
  s.currentY = 0;
}

void PrinterObject::EndDoc() {
  State& s = S();
  if (s.painter == nullptr) return;
  const bool ok = s.painter->end();
  s.painter.reset();
  s.hdc = 0;
  s.currentX = 0;
  s.currentY = 0;
  if (!ok) Raise(err::kPrinterError, u"Printer", u"Ошибка принтера");
}

bool PrinterObject::Select(int index) {
  if (index < 0 || index >= Printers.Count() || S().painter != nullptr) return false;
  S().device = ToQ(Printers.Item(index).DeviceName);
  return true;
}

int PrintersCollection::Count() const { return static_cast<int>(QPrinterInfo::availablePrinterNames().size()) + 1; }

PrinterEntry PrintersCollection::Item(int index) const {
  const QStringList names = QPrinterInfo::availablePrinterNames();
  if (index < 0 || index > names.size()) Raise(err::kSubscriptOutOfRange);
  return PrinterEntry{index < names.size() ? FromQ(names.at(index)) : std::u16string(platform::printing::kPdfPrinterName)};
}

}  // namespace vb

namespace platform::printing {

void SetPdfOutputPath(std::u16string_view path) {
  QString p = vb::ToQ(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  vb::S().pdfPath = p;
}

std::u16string PdfOutputPath() { return vb::FromQ(vb::PdfFile()); }

std::u16string DefaultPrinterName() {
  const QString name = QPrinterInfo::defaultPrinterName();
  return name.isEmpty() ? std::u16string(kPdfPrinterName) : vb::FromQ(name);
}

std::u16string PortOf(std::u16string_view device) {
  if (device == kPdfPrinterName) return vb::FromQ(vb::PdfFile());
  // The queue's device address, as its scheduler gives it.
  const QByteArray name = vb::ToQ(device).toUtf8();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) return {};
  const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
  const std::u16string port = uri != nullptr ? vb::FromQ(QString::fromUtf8(uri)) : std::u16string();
  cupsFreeDests(1, dest);
  return port;
}

}  // namespace platform::printing

namespace platform::detail {

QPainter* PrinterPainter(win::LONG_PTR hdc, int* dpiX, int* dpiY) {
  vb::State& s = vb::S();
  if (hdc == 0 || hdc != s.hdc || s.painter == nullptr) return nullptr;
  if (dpiX != nullptr) *dpiX = s.printer->resolution();
  if (dpiY != nullptr) *dpiY = s.printer->resolution();
  return s.painter.get();
}

bool PrinterDeviceCaps(win::LONG_PTR hdc, int index, int* value) {
  if (PrinterPainter(hdc, nullptr, nullptr) == nullptr) return false;
  const QRect full = vb::FullRect();
  const QRect paint = vb::PaintRect();
  switch (index) {
    case win::LOGPIXELSX:
    case win::LOGPIXELSY: *value = vb::Dpi(); return true;
    case win::PHYSICALWIDTH: *value = full.width(); return true;
    case win::PHYSICALHEIGHT: *value = full.height(); return true;
    case win::PHYSICALOFFSETX: *value = paint.left() - full.left(); return true;
    case win::PHYSICALOFFSETY: *value = paint.top() - full.top(); return true;
    default: return false;
  }
}

QPrinter& ConfiguredPrinter() { return vb::Device(); }

void SetDuplex(QPrinter& printer, int duplex) {
  switch (duplex) {
    case vb::vbPRDPHorizontal: printer.setDuplex(QPrinter::DuplexLongSide); break;
    case vb::vbPRDPVertical: printer.setDuplex(QPrinter::DuplexShortSide); break;
    default: printer.setDuplex(QPrinter::DuplexNone); break;
  }
}

int DuplexOf(const QPrinter& printer) {
  switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return vb::vbPRDPHorizontal;
    case QPrinter::DuplexShortSide: return vb::vbPRDPVertical;
    default: return vb::vbPRDPSimplex;
  }
}

void TakePrinterChoice(const QPrinter& chosen) {
  vb::State& s = vb::S();
  if (s.painter != nullptr) return;
  if (chosen.outputFormat() == QPrinter::PdfFormat) {
    s.device = vb::ToQ(printing::kPdfPrinterName);
    if (!chosen.outputFileName().isEmpty()) s.pdfPath = chosen.outputFileName();
  } else {
    s.device = chosen.printerName();
  }
  s.copies = std::max(1, chosen.copyCount());
  s.duplex = DuplexOf(chosen);
  s.orientation = chosen.pageLayout().orientation() == QPageLayout::Landscape ? vb::vbPRORLandscape : vb::vbPRORPortrait;
}

}  // namespace platform::detail
