// Inside the layer only: the printer's device context. The printer's hDC is a handle of this table;
// the rich edit control's page formatting draws on it, and the drawing layer's GetDeviceCaps asks
// PrinterDeviceCaps about it (installed with platform::gdi::SetDeviceCapsAnswerer).
#pragma once

#include "platform/layer_only.h"

#include "platform/win/types.h"

class QPainter;

namespace platform::detail {

// The painter of a printer DC, whose origin is the printable area's top-left corner, and its
// resolution; null when hdc is not the printer's current DC.
QPainter* PrinterPainter(win::LONG_PTR hdc, int* dpiX, int* dpiY);

// A device capability of a printer DC (pixels, or pixels per inch); false when hdc is not the
// printer's current DC or the index is not one of the above.
bool PrinterDeviceCaps(win::LONG_PTR hdc, int index, int* value);

struct PrinterSetup;

// For the print dialog: the printer as the current printer is set up (no document may be open), and
// taking back what the user chose in the dialog (device, copies, orientation, duplex).
PrinterSetup CurrentPrinterSetup();
void TakePrinterChoice(const PrinterSetup& chosen);

}  // namespace platform::detail
