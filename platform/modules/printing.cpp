// The program's printing module (quillmark-printing.so): the print system over Qt Print Support and
// the print scheduler's library. Loaded by the layer the first time it prints, lists the printers or
// shows the print dialog (platform/vb/print_system.h); it uses nothing of the program but that
// header's types.
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>

#include <algorithm>

#include "platform/vb/print_system.h"

namespace platform::detail {
namespace {

constexpr int kSimplex = 1;     // vbPRDPSimplex
constexpr int kLongEdge = 2;    // vbPRDPHorizontal
constexpr int kShortEdge = 3;   // vbPRDPVertical

QPrinter::DuplexMode DuplexMode(int duplex) {
  switch (duplex) {
    case kLongEdge: return QPrinter::DuplexLongSide;
    case kShortEdge: return QPrinter::DuplexShortSide;
    default: return QPrinter::DuplexNone;
  }
}

int DuplexOf(const QPrinter& printer) {
  switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return kLongEdge;
    case QPrinter::DuplexShortSide: return kShortEdge;
    default: return kSimplex;
  }
}

class QtPrintSystem : public PrintSystem {
 public:
  QString DefaultPrinterName() override { return QPrinterInfo::defaultPrinterName(); }
  QStringList PrinterNames() override { return QPrinterInfo::availablePrinterNames(); }

  QString DeviceAddress(const QString& queue) override {
    const QByteArray name = queue.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (dest == nullptr) return {};
    const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
    const QString address = uri != nullptr ? QString::fromUtf8(uri) : QString();
    cupsFreeDests(1, dest);
    return address;
  }

  QPaintDevice& SetUp(const PrinterSetup& s) override {
    if (s.pdf) {
      printer_.setOutputFormat(QPrinter::PdfFormat);
      printer_.setOutputFileName(s.pdfFile);
    } else {
      printer_.setOutputFormat(QPrinter::NativeFormat);
      printer_.setPrinterName(s.device);
    }
    printer_.setResolution(s.resolution);
    printer_.setPageSize(QPageSize(s.paper));
    printer_.setPageOrientation(s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer_.setColorMode(s.greyscale ? QPrinter::GrayScale : QPrinter::Color);
    printer_.setCopyCount(s.copies);
    printer_.setDocName(s.jobName);
    printer_.setDuplex(DuplexMode(s.duplex));
    printer_.setFullPage(false);
    printer_.setPageMargins(printer_.pageLayout().minimumMargins(), printer_.pageLayout().units());
    setup_ = s;
    return printer_;
  }

  QPageLayout PageLayout() override { return printer_.pageLayout(); }
  int Resolution() override { return printer_.resolution(); }
  bool NewPage() override { return printer_.newPage(); }
  QString OutputFileName() override { return printer_.outputFileName(); }

  QDialog* NewPrintDialog(QWidget* owner) override { return new QPrintDialog(&printer_, owner); }

  PrinterSetup Choice(QDialog& accepted) override {
    const QPrinter& chosen = *static_cast<QPrintDialog&>(accepted).printer();
    PrinterSetup c = setup_;
    c.pdf = chosen.outputFormat() == QPrinter::PdfFormat;
    c.device = c.pdf ? QString() : chosen.printerName();
    c.pdfFile = c.pdf ? chosen.outputFileName() : QString();
    c.copies = chosen.copyCount();
    c.duplex = DuplexOf(chosen);
    c.landscape = chosen.pageLayout().orientation() == QPageLayout::Landscape;
    return c;
  }

 private:
  QPrinter printer_{QPrinter::HighResolution};
  PrinterSetup setup_;
};

}  // namespace
}  // namespace platform::detail

extern "C" __attribute__((visibility("default"))) platform::detail::PrintSystem* QuillmarkPrintSystem() {
  static auto* system = new platform::detail::QtPrintSystem;
  return system;
}
