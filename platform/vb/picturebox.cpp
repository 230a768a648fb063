#include "platform/vb/picturebox.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/win/window_record.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using platform::detail::ToQColor;

namespace {

// The box's widget: shows its retained drawing inside an optional sunken border.
class PictureWidget : public QWidget {
 public:
  explicit PictureWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setProperty(platform::detail::kPlacesInsideBorder, true);
  }
  ~PictureWidget() override {
    if (hdc != 0) win::DeleteDC(hdc);
  }
  PictureBox* owner = nullptr;
  win::HWND handle = 0;
  win::HDC hdc = 0;  // the box's own device context (hDC), made on first use
  vb::Picture picture;
  int border = 1;
  bool autoRedraw = false;
  int scaleMode = vbTwips;
  float currentX = 0;
  float currentY = 0;
  int drawMode = vbCopyPen;
  int drawWidth = 1;
  bool painting = false;
  std::function<void()> onPaint;
  std::function<void()> onResize;

  int BorderPx() const { return border == 1 ? 2 : 0; }
  // The border lies outside the window's client area: the contents rectangle is what the drawing
  // layer sizes the window's surface to, and what the box holds keeps its place inside it.
  void SetBorder(int style) {
    const int before = BorderPx();
    border = style;
    setContentsMargins(BorderPx(), BorderPx(), BorderPx(), BorderPx());
    const int shift = BorderPx() - before;
    if (shift == 0) return;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->move(child->pos() + QPoint(shift, shift));
  }
  QSize Inner() const { return contentsRect().size(); }

  // The retained drawing: the window's surface, which the box's device context draws on as well.
  QImage& surface() {
    static QImage none;
    platform::detail::WindowRecord* r = platform::detail::FindRecord(handle);
    if (r == nullptr) return none = QImage();
    return r->surface;
  }

  // Clears the drawing to the background colour and the picture.
  void Clear(const QColor& back) {
    QImage& surface = this->surface();
    surface = QImage(Inner().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface.fill(back);
    if (picture != nullptr) {
      QPainter p(&surface);
      p.drawImage(0, 0, platform::gdi::ImageOfHandle(picture->Handle()));
    }
  }

  // Keeps what is drawn when the box grows.
  void Fit(const QColor& back) {
    QImage& surface = this->surface();
    const QSize inner = Inner().expandedTo(QSize(1, 1));
    if (handle == 0 || surface.size() == inner) return;
    QImage next(inner, QImage::Format_RGB32);
    next.fill(back);
    if (!surface.isNull()) {
      QPainter p(&next);
      p.drawImage(0, 0, surface);
    }
    surface = next;
  }

  void Changed() {
    if (!painting) update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!autoRedraw && onPaint) {
      // Drawing while the box paints is shown by this paint; it must not ask for another.
      painting = true;
      if (auto* r = platform::detail::FindRecord(handle)) r->painting = true;
      onPaint();
      if (auto* r = platform::detail::FindRecord(handle)) r->painting = false;
      painting = false;
    }
    QPainter p(this);
    const int b = BorderPx();
    if (b > 0) {
      const QRect r = rect();
      // The sunken edge in the system's 3-D colours: shadow, highlight, dark shadow, light.
      p.setPen(ToQColor(0x80000010));
      p.drawLine(r.left(), r.top(), r.right(), r.top());
      p.drawLine(r.left(), r.top(), r.left(), r.bottom());
      p.setPen(ToQColor(0x80000014));
      p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      p.drawLine(r.right(), r.top(), r.right(), r.bottom());
      p.setPen(ToQColor(0x80000015));
      p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
      p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
      p.setPen(ToQColor(0x80000016));
      p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
      p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }
    p.setClipRect(QRect(QPoint(b, b), Inner()));
    p.drawImage(b, b, surface());
  }
  void resizeEvent(QResizeEvent*) override {
    if (owner != nullptr) Fit(ToQColor(owner->core().back));
    if (onResize) onResize();
  }
};

PictureWidget& Pic(Control& c) { return static_cast<PictureWidget&>(*c.core().widget); }

QPainter::CompositionMode ModeOf(int drawMode) {
  switch (drawMode) {
    case vbNotMergePen: return QPainter::RasterOp_NotSourceAndNotDestination;
    case vbMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case vbNotCopyPen: return QPainter::RasterOp_NotSource;
    case vbMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case vbInvert: return QPainter::RasterOp_NotDestination;
    case vbXorPen: return QPainter::RasterOp_SourceXorDestination;
    case vbNotMaskPen: return QPainter::RasterOp_NotSourceOrNotDestination;
    case vbMaskPen: return QPainter::RasterOp_SourceAndDestination;
    case vbNotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
    case vbMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case vbMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case vbMergePen: return QPainter::RasterOp_SourceOrDestination;
    default: return QPainter::CompositionMode_Source;
  }
}

}  // namespace

void PictureBox::CreateControlWindow() {
  auto* w = new PictureWidget(ContainerWidget(*this));
  w->owner = this;
  w->onPaint = [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Paint); }); };
  w->onResize = [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Resize); }); };
  core().passiveClick = true;
  core().back = vbButtonFace;
  core().fore = vbButtonText;
  w->SetBorder(1);
  Adopt(*this, w, "ThunderPictureBox");
  w->handle = core().handle;
  w->Clear(ToQColor(core().back));
}

void PictureBox::BackColorChanged() { Cls(); }

void PictureBox::PixelsToUnits(int px, int py, float& x, float& y) {
  const int b = Pic(*this).BorderPx();
  x = ConvertScale(static_cast<float>(px - b), vbPixels, Pic(*this).scaleMode);
  y = ConvertScale(static_cast<float>(py - b), vbPixels, Pic(*this).scaleMode);
}

bool PictureBox::AutoRedraw() {
  EnsureWindow();
  return Pic(*this).autoRedraw;
}
void PictureBox::AutoRedraw(bool v) {
  EnsureWindow();
  Pic(*this).autoRedraw = v;
}
int PictureBox::BorderStyle() {
  EnsureWindow();
  return Pic(*this).border;
}
void PictureBox::BorderStyle(int v) {
  EnsureWindow();
  if (v != 0 && v != 1) Raise(err::kInvalidPropertyValue);
  PictureWidget& w = Pic(*this);
  w.SetBorder(v);
  w.Fit(ToQColor(core().back));
  w.Changed();
}
win::HDC PictureBox::hDC() {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  if (w.hdc == 0) w.hdc = win::GetDC(core().handle);
  return w.hdc;
}
vb::Picture PictureBox::Picture() {
  EnsureWindow();
  return Pic(*this).picture;
}
void PictureBox::Picture(const vb::Picture& v) {
  EnsureWindow();
  Pic(*this).picture = v;
  Pic(*this).Clear(ToQColor(core().back));
  Pic(*this).Changed();
}
int PictureBox::ScaleMode() {
  EnsureWindow();
  return Pic(*this).scaleMode;
}
void PictureBox::ScaleMode(int v) {
  EnsureWindow();
  if (v < vbTwips || v > vbCentimeters) Raise(err::kInvalidPropertyValue);
  Pic(*this).scaleMode = v;
}
float PictureBox::ScaleWidth() {
  EnsureWindow();
  return ConvertScale(static_cast<float>(Pic(*this).Inner().width()), vbPixels, Pic(*this).scaleMode);
}
float PictureBox::ScaleHeight() {
  EnsureWindow();
  return ConvertScale(static_cast<float>(Pic(*this).Inner().height()), vbPixels, Pic(*this).scaleMode);
}
float PictureBox::ScaleX(float v, int fromScale, int toScale) { return ConvertScale(v, fromScale, toScale); }
float PictureBox::ScaleY(float v, int fromScale, int toScale) { return ConvertScale(v, fromScale, toScale); }
float PictureBox::CurrentX() {
  EnsureWindow();
  return Pic(*this).currentX;
}
void PictureBox::CurrentX(float v) {
  EnsureWindow();
  Pic(*this).currentX = v;
}
float PictureBox::CurrentY() {
  EnsureWindow();
  return Pic(*this).currentY;
}
void PictureBox::CurrentY(float v) {
  EnsureWindow();
  Pic(*this).currentY = v;
}
int PictureBox::DrawMode() {
  EnsureWindow();
  return Pic(*this).drawMode;
}
void PictureBox::DrawMode(int v) {
  EnsureWindow();
  if (v < vbBlackness || v > vbWhiteness) Raise(err::kInvalidPropertyValue);
  Pic(*this).drawMode = v;
}
int PictureBox::DrawWidth() {
  EnsureWindow();
  return Pic(*this).drawWidth;
}
void PictureBox::DrawWidth(int v) {
  EnsureWindow();
  if (v < 1) Raise(err::kInvalidPropertyValue);
  Pic(*this).drawWidth = v;
}

void PictureBox::Cls() {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  w.Clear(ToQColor(core().back));
  w.currentX = 0;
  w.currentY = 0;
  w.Changed();
}

namespace {
int ToPx(float v, int scale) { return static_cast<int>(std::lround(ConvertScale(v, scale, vbPixels))); }

// Text is drawn and measured without smoothing, so its pixels are the fore colour itself.
QFont TextFont(const vb::StdFont& f) {
  QFont font = platform::detail::ToQFont(f);
  platform::gdi::DrawAsThePlatform(font);
  return font;
}
}  // namespace

void PictureBox::Print(const std::u16string& text, bool newLine) {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  const QFont font = TextFont(core().font);
  const QFontMetrics fm(font);
  const QString s = QString::fromStdU16String(text);
  {
    QPainter p(&w.surface());
    p.setFont(font);
    p.setPen(ToQColor(core().fore));
    p.drawText(ToPx(w.currentX, w.scaleMode), ToPx(w.currentY, w.scaleMode) + fm.ascent(), s);
  }
  if (newLine) {
    w.currentX = 0;
    w.currentY += ConvertScale(static_cast<float>(fm.height()), vbPixels, w.scaleMode);
  } else {
    w.currentX += ConvertScale(static_cast<float>(fm.horizontalAdvance(s)), vbPixels, w.scaleMode);
  }
  w.Changed();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, std::int64_t color, bool box, bool fill) {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  w.currentX = x2;
  w.currentY = y2;
  if (w.drawMode == vbNop) return;
  QColor c = color < 0 ? ToQColor(core().fore) : ToQColor(static_cast<OLE_COLOR>(color));
  if (w.drawMode == vbBlackness) c = Qt::black;
  if (w.drawMode == vbWhiteness) c = Qt::white;
  const int ax = ToPx(x1, w.scaleMode), ay = ToPx(y1, w.scaleMode);
  const int bx = ToPx(x2, w.scaleMode), by = ToPx(y2, w.scaleMode);
  QPainter p(&w.surface());
  p.setCompositionMode(ModeOf(w.drawMode));
  const QRect r(QPoint(std::min(ax, bx), std::min(ay, by)), QPoint(std::max(ax, bx), std::max(ay, by)));
  if (box && fill) {
    p.fillRect(r, c);
  } else if (box) {
    p.setPen(QPen(c, w.drawWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
  } else {
    p.setPen(QPen(c, w.drawWidth));
    p.drawLine(ax, ay, bx, by);
  }
  p.end();
  w.Changed();
}

void PictureBox::PSet(float x, float y, std::int64_t color) {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  w.currentX = x;
  w.currentY = y;
  const int px = ToPx(x, w.scaleMode), py = ToPx(y, w.scaleMode);
  if (!w.surface().rect().contains(px, py)) return;
  const QColor c = color < 0 ? ToQColor(core().fore) : ToQColor(static_cast<OLE_COLOR>(color));
  QPainter p(&w.surface());
  p.setCompositionMode(ModeOf(w.drawMode));
  p.fillRect(QRect(px, py, 1, 1), c);
  p.end();
  w.Changed();
}

std::int64_t PictureBox::Point(float x, float y) {
  EnsureWindow();
  PictureWidget& w = Pic(*this);
  const int px = ToPx(x, w.scaleMode), py = ToPx(y, w.scaleMode);
  if (!w.surface().rect().contains(px, py)) return -1;
  const QRgb rgb = w.surface().pixel(px, py);
  return static_cast<std::int64_t>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

float PictureBox::TextWidth(const std::u16string& text) {
  EnsureWindow();
  const QFontMetrics fm(TextFont(core().font));
  return ConvertScale(static_cast<float>(fm.horizontalAdvance(QString::fromStdU16String(text))), vbPixels, Pic(*this).scaleMode);
}

float PictureBox::TextHeight(const std::u16string& text) {
  EnsureWindow();
  const QFontMetrics fm(TextFont(core().font));
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), u'\n'));
  return ConvertScale(static_cast<float>(fm.height() * lines), vbPixels, Pic(*this).scaleMode);
}

}  // namespace vb
