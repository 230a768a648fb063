#include "platform/richedit/format_range.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "platform/richedit/line_breaks.h"
#include "platform/vb/printer_device.h"

namespace platform::richedit {
std::int32_t FormatRange(const QTextDocument& document, std::int32_t total, const QFont& font, bool render,
                         const win::FORMATRANGE& fr) {
  int dpiX = 96;
  int dpiY = 96;
  QPainter* painter = platform::detail::PrinterPainter(fr.hdc, &dpiX, &dpiY);
  QPaintDevice* device = painter != nullptr ? painter->device() : nullptr;
  std::int32_t cp = std::clamp<std::int32_t>(fr.chrg.cpMin, 0, total);
  const std::int32_t last = fr.chrg.cpMax < 0 ? total : std::min(fr.chrg.cpMax, total);
  const double left = fr.rc.left * dpiX / 1440.0;
  const double top = fr.rc.top * dpiY / 1440.0;
  const double width = (fr.rc.right - fr.rc.left) * dpiX / 1440.0;
  const double height = (fr.rc.bottom - fr.rc.top) * dpiY / 1440.0;
  if (painter != nullptr && render) painter->setPen(Qt::black);

  const int start = ToDocumentPosition(document, cp, total);
  QTextBlock block = document.findBlock(start);
  int offset = start - block.position();
  double y = 0;
  while (block.isValid() && cp < last) {
    const std::int32_t blockStart = block.position() + block.blockNumber();
    const int blockEnd = std::min<std::int32_t>(block.length() - 1, last - blockStart);
    // The indent is in the screen's pixels, 96 to the inch.
    const double indent = block.blockFormat().leftMargin() * dpiX / 96.0;
    QTextLayout layout(block.text().mid(offset, blockEnd - offset), font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int fitted = 0;
    bool full = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(std::max(1.0, width - indent));
      if (y + line.height() > height) {
        full = true;
        cp = blockStart + offset + line.textStart();
        break;
      }
      line.setPosition(QPointF(indent, y));
      y += line.height();
      ++fitted;
    }
    layout.endLayout();
    if (render && painter != nullptr)
      for (int i = 0; i < fitted; ++i) layout.lineAt(i).draw(painter, QPointF(left, top));
    if (full) return cp;
    cp = blockStart + block.length() + 1;  // after the line's CR LF
    block = block.next();
    offset = 0;
  }
  return std::min(cp, total);
}

}  // namespace platform::richedit
