// Inside the layer only: the print system, which lives in the program's printing module
// (program_module.h), loaded the first time the printers are asked for, a document is printed or
// the print dialog opens: a start that prints nothing loads no part of Qt Print Support, the print
// scheduler's library or the encryption and login libraries they bring.
//
// It holds the one printer documents are drawn on, set up afresh for each document from the
// runtime's printer settings, and makes the print dialog on it.
#pragma once

#include "platform/layer_only.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

class QDialog;
class QPaintDevice;
class QWidget;

namespace platform::detail {

// The printer as a document is printed on it, or as the user chose it in the print dialog.
struct PrinterSetup {
  bool pdf = false;        // the PDF printer, writing pdfFile
  QString device;          // a print queue (not the PDF printer)
  QString pdfFile;
  QString jobName;         // the print queue's job name, the PDF file's title
  int resolution = 1200;   // dots per inch
  QPageSize::PageSizeId paper = QPageSize::A4;
  bool landscape = false;
  bool greyscale = false;
  int copies = 1;
  int duplex = 1;          // as the runtime numbers it: vbPRDPSimplex, vbPRDPHorizontal, vbPRDPVertical
};

class PrintSystem {
 public:
  virtual ~PrintSystem() = default;
  // The system's default queue ("" when it names none), and every queue.
  virtual QString DefaultPrinterName() = 0;
  virtual QStringList PrinterNames() = 0;
  // Where a queue's output goes, as its scheduler gives it ("ipp://...", "usb://..."); "" when the
  // scheduler does not know the queue.
  virtual QString DeviceAddress(const QString& queue) = 0;
  // The printer set up for a document: the whole area it can reach is printable. What the
  // document is drawn on; the calls below read it as it is set up.
  virtual QPaintDevice& SetUp(const PrinterSetup& setup) = 0;
  virtual QPageLayout PageLayout() = 0;
  virtual int Resolution() = 0;
  virtual bool NewPage() = 0;
  virtual QString OutputFileName() = 0;
  // A print dialog over `owner` on the printer as last set up, for the caller to show and delete;
  // once it was accepted, Choice gives the printer the user chose in it (the queue, or the PDF
  // printer with the file named in the dialog, "" when none was; copies, orientation and duplex; the
  // rest as it was set up).
  virtual QDialog* NewPrintDialog(QWidget* owner) = 0;
  virtual PrinterSetup Choice(QDialog& accepted) = 0;
};

// The print system, its module loaded on the first call; null when the module cannot be loaded.
PrintSystem* Printing();

// The printing module's entry: `extern "C" PrintSystem* QuillmarkPrintSystem()`.
inline constexpr char kPrintingModule[] = "quillmark-printing.so";
inline constexpr char kPrintingModuleEntry[] = "QuillmarkPrintSystem";

}  // namespace platform::detail
