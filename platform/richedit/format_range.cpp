#include "platform/richedit/format_range.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "platform/vb/printer_device.h"

namespace platform::richedit {

std::int32_t FormatRange(const EditorText& text, const QFont& font, bool render, const win::FORMATRANGE& fr) {
  int dpiX = 96;
  int dpiY = 96;
  QPainter* painter = platform::detail::PrinterPainter(fr.hdc, &dpiX, &dpiY);
  QPaintDevice* device = painter != nullptr ? painter->device() : nullptr;
  const std::int32_t total = text.Length();
  std::int32_t cp = text.Snap(std::clamp<std::int32_t>(fr.chrg.cpMin, 0, total));
  const std::int32_t last = fr.chrg.cpMax < 0 ? total : std::min(fr.chrg.cpMax, total);
  const double left = fr.rc.left * dpiX / 1440.0;
  const double top = fr.rc.top * dpiY / 1440.0;
  const double width = (fr.rc.right - fr.rc.left) * dpiX / 1440.0;
  const double height = (fr.rc.bottom - fr.rc.top) * dpiY / 1440.0;
  if (painter != nullptr && render) painter->setPen(Qt::black);

  std::ptrdiff_t paragraph = text.ParagraphOf(cp);
  double y = 0;
  std::u16string scratch;
  while (paragraph < text.Paragraphs() && cp < last) {
    const std::int32_t end = std::min(text.ParagraphEnd(paragraph), last);
    // The indent is in the screen's pixels, 96 to the inch.
    const double indent = text.Indent(paragraph) * dpiX / 96.0;
    const std::u16string_view piece = text.Piece(cp, std::max(end - cp, 0), scratch);
    QTextLayout layout(QString(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())), font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int fitted = 0;
    bool full = false;
    std::int32_t stop = cp;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(std::max(1.0, width - indent));
      if (y + line.height() > height) {
        full = true;
        stop = cp + line.textStart();
        break;
      }
      line.setPosition(QPointF(indent, y));
      y += line.height();
      ++fitted;
    }
    layout.endLayout();
    if (render && painter != nullptr)
      for (int i = 0; i < fitted; ++i) layout.lineAt(i).draw(painter, QPointF(left, top));
    if (full) return stop;
    ++paragraph;
    cp = paragraph < text.Paragraphs() ? text.ParagraphStart(paragraph) : total;  // after the line's CR LF
  }
  return std::min(cp, total);
}

}  // namespace platform::richedit
