#include "core/print.h"

#include <cmath>

#include "platform/gdi/gdi.h"
#include "platform/richedit/messages.h"
#include "platform/win/window.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"

namespace modPrint {
namespace {
constexpr int vbTwips = 1;
constexpr int vbPixels = 3;
}  // namespace

void PrintRichText(vb::RichTextBox& control, std::int32_t leftMargin, std::int32_t topMargin,
                   std::int32_t rightMargin, std::int32_t bottomMargin) {
  vb::PrinterObject& printer = vb::Printer;
  printer.Print(u" ");
  printer.ScaleMode(vbTwips);

  const auto offX = static_cast<win::LONG>(
      std::lround(printer.ScaleX(win::GetDeviceCaps(printer.hDC(), win::PHYSICALOFFSETX), vbPixels, vbTwips)));
  const auto offY = static_cast<win::LONG>(
      std::lround(printer.ScaleY(win::GetDeviceCaps(printer.hDC(), win::PHYSICALOFFSETY), vbPixels, vbTwips)));

  win::FORMATRANGE range;
  range.hdc = printer.hDC();
  range.hdcTarget = range.hdc;
  range.rc.left = leftMargin - offX;
  range.rc.top = topMargin - offY;
  range.rc.right = static_cast<win::LONG>(std::lround(printer.Width())) - rightMargin - offX;
  range.rc.bottom = static_cast<win::LONG>(std::lround(printer.Height())) - bottomMargin - offY;
  range.rcPage.left = 0;
  range.rcPage.top = 0;
  range.rcPage.right = static_cast<win::LONG>(std::lround(printer.ScaleWidth()));
  range.rcPage.bottom = static_cast<win::LONG>(std::lround(printer.ScaleHeight()));
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;

  const auto total = static_cast<win::LRESULT>(control.TextLength());
  bool stuck = false;
  for (;;) {
    const win::LRESULT next =
        win::SendMessage(control.hWnd(), win::EM_FORMATRANGE, 1, reinterpret_cast<win::LPARAM>(&range));
    if (next >= total) break;
    // A page that took nothing would come back the same for ever.
    if (next <= range.chrg.cpMin) {
      stuck = true;
      break;
    }
    range.chrg.cpMin = static_cast<win::LONG>(next);
    printer.NewPage();
    printer.Print(u" ");
    range.hdc = printer.hDC();
    range.hdcTarget = range.hdc;
  }
  printer.EndDoc();
  win::SendMessage(control.hWnd(), win::EM_FORMATRANGE, 0, 0);
  if (stuck)
    vb::Raise(vb::err::kPrinterError, {}, u"Текст не помещается на странице: поля страницы не оставляют места для текста. Печать прервана.");
}

}  // namespace modPrint
