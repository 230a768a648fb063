#include "platform/vb/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>

#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using platform::detail::Px;
using platform::detail::Tw;

namespace {

QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
std::u16string U(const QString& s) { return s.toStdU16String(); }

// A caption with the runtime's mnemonics ("&x" underlines x, "&&" is an ampersand) as plain text.
QString WithoutMnemonics(const std::u16string& s) {
  QString out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
    } else if (s[i] == u'&') {
      continue;
    }
    out += QChar(s[i]);
  }
  return out;
}

Qt::Alignment AlignmentOf(int a) {
  switch (a) {
    case vbRightJustify: return Qt::AlignRight;
    case vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}
int AlignmentFrom(Qt::Alignment a) {
  if (a & Qt::AlignRight) return vbRightJustify;
  if (a & Qt::AlignHCenter) return vbCenter;
  return vbLeftJustify;
}

// Where a new item goes in a sorted list: after the items that compare below or equal to it, without
// regard to case.
template <class TextAt>
int SortedPlace(int count, const std::u16string& item, TextAt textAt) {
  const std::u16string key = LCase(item);
  int i = 0;
  while (i < count && LCase(textAt(i)) <= key) ++i;
  return i;
}

// Multi-line text: the runtime counts a line break as CR LF, the widget as one character.
int ToRuntimePos(const QString& text, int qtPos) {
  int breaks = 0;
  for (int i = 0; i < qtPos && i < text.size(); ++i)
    if (text[i] == QLatin1Char('\n')) ++breaks;
  return qtPos + breaks;
}
int FromRuntimePos(const QString& text, int pos) {
  int units = 0, i = 0;
  for (; i < text.size() && units < pos; ++i) units += text[i] == QLatin1Char('\n') ? 2 : 1;
  return i;
}
QString ToWidgetText(const std::u16string& v) {
  QString s = Q(v);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

class CheckWidget : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  // A click checks a box that is not checked (grayed included) and clears a checked one.
  void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

class ComboWidget : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onDropDown;
  bool sorted = false;

  void showPopup() override {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
  }
};

class ListWidget : public QListWidget {
 public:
  using QListWidget::QListWidget;
  int quiet = 0;  // list changes made by the control itself raise no events
  bool sorted = false;
};

class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  int shape = vbShapeRectangle;
  OLE_COLOR borderColor = vbWindowText;
  int borderWidth = 1;
  int borderStyle = 1;
  OLE_COLOR fillColor = vbBlack;
  int fillStyle = vbFSTransparent;
  int backStyle = 0;
  OLE_COLOR backColor = vbWindowBackground;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect();
    if (shape == vbShapeSquare || shape == vbShapeCircle || shape == vbShapeRoundedSquare) {
      const int side = std::min(r.width(), r.height());
      r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    const int inset = borderStyle == 0 ? 0 : borderWidth / 2;
    r.adjust(inset, inset, -inset - (borderStyle == 0 ? 0 : 1), -inset - (borderStyle == 0 ? 0 : 1));
    if (borderStyle == 0) {
      p.setPen(Qt::NoPen);
    } else {
      p.setPen(QPen(platform::detail::ToQColor(borderColor), borderWidth));
    }
    auto draw = [&](const QBrush& b) {
      p.setBrush(b);
      switch (shape) {
        case vbShapeOval:
        case vbShapeCircle: p.drawEllipse(r); break;
        case vbShapeRoundedRectangle:
        case vbShapeRoundedSquare: p.drawRoundedRect(r, 8, 8); break;
        default: p.drawRect(r); break;
      }
    };
    if (backStyle == 1) {
      draw(QBrush(platform::detail::ToQColor(backColor)));
    }
    draw(fillStyle == vbFSSolid ? QBrush(platform::detail::ToQColor(fillColor)) : QBrush(Qt::NoBrush));
  }
};

}  // namespace

// --- Label ----------------------------------------------------------------------------------------

void Label::CreateControlWindow() {
  auto* w = new QLabel(ContainerWidget(*this));
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w->setAutoFillBackground(true);  // opaque unless BackStyle says otherwise
  w->setProperty("vbCaption", QString());
  core().passiveClick = true;
  core().back = vbButtonFace;
  core().fore = vbButtonText;
  Adopt(*this, w, "ThunderLabel");
}
static QLabel& LabelOf(Control& c) { return static_cast<QLabel&>(*c.core().widget); }
std::u16string Label::Caption() {
  Touch();
  return U(LabelOf(*this).property("vbCaption").toString());
}
void Label::Caption(const std::u16string& v) {
  Touch();
  LabelOf(*this).setProperty("vbCaption", Q(v));
  LabelOf(*this).setText(WithoutMnemonics(v));
}
int Label::Alignment() {
  Touch();
  return AlignmentFrom(LabelOf(*this).alignment());
}
void Label::Alignment(int v) {
  Touch();
  LabelOf(*this).setAlignment(AlignmentOf(v) | Qt::AlignTop);
}
bool Label::WordWrap() {
  Touch();
  return LabelOf(*this).wordWrap();
}
void Label::WordWrap(bool v) {
  Touch();
  LabelOf(*this).setWordWrap(v);
}
int Label::BackStyle() {
  Touch();
  return LabelOf(*this).autoFillBackground() ? 1 : 0;
}
void Label::BackStyle(int v) {
  Touch();
  LabelOf(*this).setAutoFillBackground(v == 1);
}
int Label::BorderStyle() {
  Touch();
  return LabelOf(*this).frameShape() == QFrame::NoFrame ? 0 : 1;
}
void Label::BorderStyle(int v) {
  Touch();
  LabelOf(*this).setFrameStyle(v == 1 ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

// --- TextBox --------------------------------------------------------------------------------------

void TextBox::CreateControlWindow() {
  core().back = vbWindowBackground;
  core().fore = vbWindowText;
  if (multiLine_) {
    auto* w = new QPlainTextEdit(ContainerWidget(*this));
    w->setTabChangesFocus(true);
    QObject::connect(w, &QPlainTextEdit::textChanged, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Change); }); });
    Adopt(*this, w, "ThunderTextBox", true);
  } else {
    auto* w = new QLineEdit(ContainerWidget(*this));
    w->setMaxLength(32767);
    QObject::connect(w, &QLineEdit::textChanged, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Change); }); });
    Adopt(*this, w, "ThunderTextBox", true);
  }
}
#define EDIT_CASES(single, multi)                                                       \
  if ([[maybe_unused]] auto* e = qobject_cast<QLineEdit*>(core().widget.data())) {                    \
    single;                                                                             \
  } else if ([[maybe_unused]] auto* m = qobject_cast<QPlainTextEdit*>(core().widget.data())) {        \
    multi;                                                                              \
  }

std::u16string TextBox::Text() {
  Touch();
  EDIT_CASES(return U(e->text()), {
    QString s = m->toPlainText();
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return U(s);
  })
  return {};
}
void TextBox::Text(const std::u16string& v) {
  Touch();
  // Set in code, the text raises Change here, so an error in the handler reaches the caller.
  EDIT_CASES(
      {
        if (e->text() == Q(v)) return;
        const QSignalBlocker quiet(e);
        e->setText(Q(v));
      },
      {
        const QString s = ToWidgetText(v);
        if (s == m->toPlainText()) return;
        const QSignalBlocker quiet(m);
        m->setPlainText(s);
      })
  RaiseEvent(Change);
}
char16_t TextBox::PasswordChar() {
  Touch();
  return static_cast<char16_t>(core().widget->property("vbPasswordChar").toUInt());
}
void TextBox::PasswordChar(char16_t v) {
  Touch();
  core().widget->setProperty("vbPasswordChar", static_cast<unsigned>(v));
  if (auto* e = qobject_cast<QLineEdit*>(core().widget.data())) {
    e->setEchoMode(v == 0 ? QLineEdit::Normal : QLineEdit::Password);
    e->setStyleSheet(v == 0 ? QString() : QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(static_cast<unsigned>(v)));
  }
}
bool TextBox::Locked() {
  Touch();
  EDIT_CASES(return e->isReadOnly(), return m->isReadOnly())
  return false;
}
void TextBox::Locked(bool v) {
  Touch();
  EDIT_CASES(e->setReadOnly(v), m->setReadOnly(v))
}
int TextBox::MaxLength() {
  Touch();
  EDIT_CASES(return e->maxLength() == 32767 ? 0 : e->maxLength(), return 0)
  return 0;
}
void TextBox::MaxLength(int v) {
  Touch();
  if (v < 0) Raise(380);
  EDIT_CASES(e->setMaxLength(v == 0 ? 32767 : v), )
}
int TextBox::SelStart() {
  Touch();
  EDIT_CASES(return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition(), {
    return ToRuntimePos(m->toPlainText(), m->textCursor().selectionStart());
  })
  return 0;
}
void TextBox::SelStart(int v) {
  Touch();
  if (v < 0) Raise(380);
  EDIT_CASES(e->setCursorPosition(std::min(v, static_cast<int>(e->text().size()))), {
    QTextCursor c = m->textCursor();
    c.setPosition(std::min(FromRuntimePos(m->toPlainText(), v), static_cast<int>(m->toPlainText().size())));
    m->setTextCursor(c);
  })
}
int TextBox::SelLength() {
  Touch();
  EDIT_CASES(return static_cast<int>(e->selectedText().size()), {
    const QString t = m->toPlainText();
    const QTextCursor c = m->textCursor();
    return ToRuntimePos(t, c.selectionEnd()) - ToRuntimePos(t, c.selectionStart());
  })
  return 0;
}
void TextBox::SelLength(int v) {
  Touch();
  if (v < 0) Raise(380);
  const int start = SelStart();
  EDIT_CASES(e->setSelection(start, std::min(v, static_cast<int>(e->text().size()) - start)), {
    const QString t = m->toPlainText();
    QTextCursor c = m->textCursor();
    const int a = FromRuntimePos(t, start);
    c.setPosition(a);
    c.setPosition(std::min(static_cast<int>(t.size()), FromRuntimePos(t, start + v)), QTextCursor::KeepAnchor);
    m->setTextCursor(c);
  })
}
std::u16string TextBox::SelText() {
  Touch();
  EDIT_CASES(return U(e->selectedText()), {
    QString s = m->textCursor().selectedText();
    s.replace(QChar(0x2029), QStringLiteral("\r\n"));
    return U(s);
  })
  return {};
}
void TextBox::SelText(const std::u16string& v) {
  Touch();
  EDIT_CASES(e->insert(Q(v)), m->insertPlainText(ToWidgetText(v)))
}
int TextBox::Alignment() {
  Touch();
  EDIT_CASES(return AlignmentFrom(e->alignment()), return vbLeftJustify)
  return vbLeftJustify;
}
void TextBox::Alignment(int v) {
  Touch();
  EDIT_CASES(e->setAlignment(AlignmentOf(v) | Qt::AlignVCenter), )
}
#undef EDIT_CASES

// --- CommandButton --------------------------------------------------------------------------------

void CommandButton::CreateControlWindow() {
  auto* w = new QPushButton(ContainerWidget(*this));
  w->setAutoDefault(false);
  w->setProperty("vbCancel", false);
  QObject::connect(w, &QPushButton::clicked, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  Adopt(*this, w, "ThunderCommandButton");
}
static QPushButton& ButtonOf(Control& c) { return static_cast<QPushButton&>(*c.core().widget); }
std::u16string CommandButton::Caption() {
  Touch();
  return U(ButtonOf(*this).text());
}
void CommandButton::Caption(const std::u16string& v) {
  Touch();
  ButtonOf(*this).setText(Q(v));
}
bool CommandButton::Default() {
  Touch();
  return ButtonOf(*this).isDefault();
}
void CommandButton::Default(bool v) {
  Touch();
  // One default button per window.
  if (v) {
    for (Control* c : host().Controls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b != nullptr && b != this && b->core().widget != nullptr)
        ButtonOf(*b).setDefault(false);
  }
  ButtonOf(*this).setDefault(v);
}
bool CommandButton::Cancel() {
  Touch();
  return ButtonOf(*this).property("vbCancel").toBool();
}
void CommandButton::Cancel(bool v) {
  Touch();
  if (v) {
    for (Control* c : host().Controls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b != nullptr && b != this && b->core().widget != nullptr)
        ButtonOf(*b).setProperty("vbCancel", false);
  }
  ButtonOf(*this).setProperty("vbCancel", v);
}
void CommandButton::Value(bool v) {
  Touch();
  if (v) RaiseEvent(Click);
}

// --- CheckBox -------------------------------------------------------------------------------------

void CheckBox::CreateControlWindow() {
  auto* w = new CheckWidget(ContainerWidget(*this));
  w->setTristate(true);
  QObject::connect(w, &QCheckBox::clicked, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  Adopt(*this, w, "ThunderCheckBox");
}
static QCheckBox& CheckOf(Control& c) { return static_cast<QCheckBox&>(*c.core().widget); }
std::u16string CheckBox::Caption() {
  Touch();
  return U(CheckOf(*this).text());
}
void CheckBox::Caption(const std::u16string& v) {
  Touch();
  CheckOf(*this).setText(Q(v));
}
int CheckBox::Value() {
  Touch();
  switch (CheckOf(*this).checkState()) {
    case Qt::Checked: return vbChecked;
    case Qt::PartiallyChecked: return vbGrayed;
    default: return vbUnchecked;
  }
}
void CheckBox::Value(int v) {
  Touch();
  if (v < vbUnchecked || v > vbGrayed) Raise(380);
  if (v == Value()) return;
  CheckOf(*this).setCheckState(v == vbChecked ? Qt::Checked : v == vbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  RaiseEvent(Click);
}

// --- OptionButton ---------------------------------------------------------------------------------

void OptionButton::CreateControlWindow() {
  auto* w = new QRadioButton(ContainerWidget(*this));
  // Selected by the user or in code, the button raises Click.
  QObject::connect(w, &QRadioButton::toggled, w, [this](bool on) {
    if (on) platform::detail::FromEventLoop([this] { RaiseEvent(Click); });
  });
  Adopt(*this, w, "ThunderOptionButton");
}
static QRadioButton& OptionOf(Control& c) { return static_cast<QRadioButton&>(*c.core().widget); }
std::u16string OptionButton::Caption() {
  Touch();
  return U(OptionOf(*this).text());
}
void OptionButton::Caption(const std::u16string& v) {
  Touch();
  OptionOf(*this).setText(Q(v));
}
bool OptionButton::Value() {
  Touch();
  return OptionOf(*this).isChecked();
}
void OptionButton::Value(bool v) {
  Touch();
  QRadioButton& r = OptionOf(*this);
  if (r.isChecked() == v) return;
  if (v) {
    {
      const QSignalBlocker quiet(&r);
      r.setChecked(true);
    }
    RaiseEvent(Click);
  } else {
    // Clearing the selected button leaves its group with none selected.
    r.setAutoExclusive(false);
    r.setChecked(false);
    r.setAutoExclusive(true);
  }
}

// --- Frame ----------------------------------------------------------------------------------------

void Frame::CreateControlWindow() {
  auto* w = new QGroupBox(ContainerWidget(*this));
  core().passiveClick = true;
  Adopt(*this, w, "ThunderFrame");
}
std::u16string Frame::Caption() {
  Touch();
  return U(static_cast<QGroupBox&>(*core().widget).title());
}
void Frame::Caption(const std::u16string& v) {
  Touch();
  static_cast<QGroupBox&>(*core().widget).setTitle(Q(v));
}

// --- Picture and Image ----------------------------------------------------------------------------

vb::Picture LoadPicture(const std::u16string& path) {
  if (path.empty()) return nullptr;
  QString p = Q(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!QFile::exists(p)) Raise(53);
  const std::string file = p.toStdString();
  const bool cursor = p.endsWith(QLatin1String(".cur"), Qt::CaseInsensitive);
  if (cursor || p.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive)) {
    const win::HANDLE icon = win::LoadImageA(0, file, cursor ? win::IMAGE_CURSOR : win::IMAGE_ICON, 0, 0, win::LR_LOADFROMFILE);
    if (icon != 0) return std::make_shared<StdPicture>(vbPicTypeIcon, icon);
  }
  QImage image;
  if (!image.load(p)) Raise(481);
  return std::make_shared<StdPicture>(vbPicTypeBitmap, platform::gdi::BitmapFromImage(image));
}

namespace {
class ImageWidget : public QWidget {
 public:
  using QWidget::QWidget;
  vb::Picture picture;
  bool stretch = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture == nullptr) return;
    QPainter p(this);
    const QImage img = platform::gdi::ImageOfHandle(picture->Handle());
    if (stretch) {
      p.drawImage(rect(), img);
    } else {
      p.drawImage(0, 0, img);
    }
  }
};
}  // namespace

void Image::CreateControlWindow() {
  auto* w = new ImageWidget(ContainerWidget(*this));
  core().passiveClick = true;
  Adopt(*this, w, "ThunderImage");
}
vb::Picture Image::Picture() {
  Touch();
  return static_cast<ImageWidget&>(*core().widget).picture;
}
void Image::Picture(const vb::Picture& v) {
  Touch();
  auto& w = static_cast<ImageWidget&>(*core().widget);
  w.picture = v;
  // Without Stretch the image takes the picture's size.
  if (!w.stretch && v != nullptr) w.resize(v->WidthPixels(), v->HeightPixels());
  w.update();
}
bool Image::Stretch() {
  Touch();
  return static_cast<ImageWidget&>(*core().widget).stretch;
}
void Image::Stretch(bool v) {
  Touch();
  static_cast<ImageWidget&>(*core().widget).stretch = v;
  core().widget->update();
}

// --- Shape ----------------------------------------------------------------------------------------

void Shape::CreateControlWindow() { Adopt(*this, new ShapeWidget(ContainerWidget(*this)), "ThunderShape"); }
static ShapeWidget& ShapeOf(Control& c) { return static_cast<ShapeWidget&>(*c.core().widget); }
#define SHAPE_PROPERTY(Type, Name, field)   \
  Type Shape::Name() {                      \
    Touch();                                \
    return ShapeOf(*this).field;            \
  }                                         \
  void Shape::Name(Type v) {                \
    Touch();                                \
    ShapeOf(*this).field = v;               \
    core().widget->update();                \
  }
SHAPE_PROPERTY(int, ShapeKind, shape)
SHAPE_PROPERTY(OLE_COLOR, BorderColor, borderColor)
SHAPE_PROPERTY(int, BorderWidth, borderWidth)
SHAPE_PROPERTY(int, BorderStyle, borderStyle)
SHAPE_PROPERTY(OLE_COLOR, FillColor, fillColor)
SHAPE_PROPERTY(int, FillStyle, fillStyle)
SHAPE_PROPERTY(int, BackStyle, backStyle)
#undef SHAPE_PROPERTY

// --- ComboBox -------------------------------------------------------------------------------------

void ComboBox::CreateControlWindow() {
  newIndex_ = -1;
  core().back = vbWindowBackground;
  core().fore = vbWindowText;
  auto* w = new ComboWidget(ContainerWidget(*this));
  w->setEditable(style_ != vbComboDropdownList);
  w->setInsertPolicy(QComboBox::NoInsert);
  w->setMaxVisibleItems(8);
  w->onDropDown = [this] { platform::detail::FromEventLoop([this] { RaiseEvent(DropDown); }); };
  QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w, [this](int) { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  if (QLineEdit* e = w->lineEdit()) {
    e->setMaxLength(32767);
    QObject::connect(e, &QLineEdit::textEdited, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Change); }); });
  }
  Adopt(*this, w, "ThunderComboBox", true);
}
static ComboWidget& ComboOf(Control& c) { return static_cast<ComboWidget&>(*c.core().widget); }
bool ComboBox::Sorted() {
  Touch();
  return ComboOf(*this).sorted;
}
void ComboBox::Sorted(bool v) {
  Touch();
  ComboOf(*this).sorted = v;
}
void ComboBox::AddItem(const std::u16string& item, int index) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (index < -1 || index > w.count()) Raise(5);
  if (index == -1) {
    index = w.sorted ? SortedPlace(w.count(), item, [&](int i) { return U(w.itemText(i)); }) : w.count();
  }
  const int current = ListIndex();
  const QString edit = w.currentText();
  w.blockSignals(true);
  w.insertItem(index, Q(item));
  // Adding items selects nothing and leaves the typed text alone.
  w.setCurrentIndex(current >= index ? current + 1 : current);
  if (w.isEditable()) w.setEditText(edit);
  w.blockSignals(false);
  newIndex_ = index;
}
void ComboBox::RemoveItem(int index) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(5);
  w.blockSignals(true);
  const int current = w.currentIndex();
  w.removeItem(index);
  if (current == index) w.setCurrentIndex(-1);
  w.blockSignals(false);
}
void ComboBox::Clear() {
  Touch();
  ComboWidget& w = ComboOf(*this);
  w.blockSignals(true);
  w.clear();
  if (w.isEditable()) w.setEditText(QString());
  w.blockSignals(false);
}
std::u16string ComboBox::List(int index) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  return index >= 0 && index < w.count() ? U(w.itemText(index)) : std::u16string();
}
void ComboBox::List(int index, const std::u16string& v) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  w.setItemText(index, Q(v));
}
int ComboBox::ListCount() {
  Touch();
  return ComboOf(*this).count();
}
std::int32_t ComboBox::ItemData(int index) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  return w.itemData(index).toInt();
}
void ComboBox::ItemData(int index, std::int32_t v) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  w.setItemData(index, v);
}
int ComboBox::NewIndex() {
  Touch();
  return newIndex_;
}
int ComboBox::ListIndex() {
  Touch();
  ComboWidget& w = ComboOf(*this);
  const int i = w.currentIndex();
  if (i < 0) return -1;
  // Text typed over the selected item leaves the list with no selection.
  if (w.isEditable() && w.lineEdit()->text() != w.itemText(i)) return -1;
  return i;
}
void ComboBox::ListIndex(int v) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (v < -1 || v >= w.count()) Raise(380);
  if (v == ListIndex()) return;
  w.blockSignals(true);
  w.setCurrentIndex(v);
  if (v == -1 && w.isEditable()) w.setEditText(QString());
  w.blockSignals(false);
  RaiseEvent(Click);
}
std::u16string ComboBox::Text() {
  Touch();
  ComboWidget& w = ComboOf(*this);
  if (w.isEditable()) return U(w.lineEdit()->text());
  return w.currentIndex() >= 0 ? U(w.itemText(w.currentIndex())) : std::u16string();
}
void ComboBox::Text(const std::u16string& v) {
  Touch();
  ComboWidget& w = ComboOf(*this);
  const QString q = Q(v);
  if (!w.isEditable()) {
    const int i = w.findText(q, Qt::MatchFixedString);
    if (i < 0) Raise(383);
    ListIndex(i);
    return;
  }
  if (w.lineEdit()->text() == q) return;
  w.blockSignals(true);
  const int i = w.findText(q, Qt::MatchExactly);
  if (i >= 0) w.setCurrentIndex(i);
  w.setEditText(q);
  w.blockSignals(false);
  RaiseEvent(Change);
}

// --- ListBox --------------------------------------------------------------------------------------

namespace {
constexpr int kItemDataRole = Qt::UserRole;
constexpr int kCheckSeenRole = Qt::UserRole + 1;
}  // namespace

void ListBox::CreateControlWindow() {
  newIndex_ = -1;
  core().back = vbWindowBackground;
  core().fore = vbWindowText;
  auto* w = new ListWidget(ContainerWidget(*this));
  w->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(w, &QListWidget::currentRowChanged, w, [this, w](int) {
    if (w->quiet == 0) platform::detail::FromEventLoop([this] { RaiseEvent(Click); });
  });
  QObject::connect(w, &QListWidget::itemDoubleClicked, w, [this](QListWidgetItem*) { platform::detail::FromEventLoop([this] { RaiseEvent(DblClick); }); });
  QObject::connect(w, &QListWidget::itemChanged, w, [this, w](QListWidgetItem* item) {
    if (w->quiet != 0 || style_ != vbListBoxCheckbox) return;
    const bool checked = item->checkState() == Qt::Checked;
    if (item->data(kCheckSeenRole).toBool() == checked) return;
    ++w->quiet;
    item->setData(kCheckSeenRole, checked);
    --w->quiet;
    platform::detail::FromEventLoop([&] { RaiseEvent(ItemCheck, w->row(item)); });
  });
  Adopt(*this, w, "ThunderListBox", true);
}
static ListWidget& ListOf(Control& c) { return static_cast<ListWidget&>(*c.core().widget); }
bool ListBox::Sorted() {
  Touch();
  return ListOf(*this).sorted;
}
void ListBox::Sorted(bool v) {
  Touch();
  ListOf(*this).sorted = v;
}
void ListBox::AddItem(const std::u16string& item, int index) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < -1 || index > w.count()) Raise(5);
  if (index == -1) index = w.sorted ? SortedPlace(w.count(), item, [&](int i) { return U(w.item(i)->text()); }) : w.count();
  ++w.quiet;
  auto* it = new QListWidgetItem(Q(item));
  if (style_ == vbListBoxCheckbox) {
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(Qt::Unchecked);
    it->setData(kCheckSeenRole, false);
  }
  w.insertItem(index, it);
  --w.quiet;
  newIndex_ = index;
}
void ListBox::RemoveItem(int index) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(5);
  ++w.quiet;
  const int current = w.currentRow();
  delete w.takeItem(index);
  if (current == index) w.setCurrentRow(-1);
  --w.quiet;
}
void ListBox::Clear() {
  Touch();
  ListWidget& w = ListOf(*this);
  ++w.quiet;
  w.clear();
  --w.quiet;
}
std::u16string ListBox::List(int index) {
  Touch();
  ListWidget& w = ListOf(*this);
  return index >= 0 && index < w.count() ? U(w.item(index)->text()) : std::u16string();
}
void ListBox::List(int index, const std::u16string& v) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  ++w.quiet;
  w.item(index)->setText(Q(v));
  --w.quiet;
}
int ListBox::ListCount() {
  Touch();
  return ListOf(*this).count();
}
std::int32_t ListBox::ItemData(int index) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  return w.item(index)->data(kItemDataRole).toInt();
}
void ListBox::ItemData(int index, std::int32_t v) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  ++w.quiet;
  w.item(index)->setData(kItemDataRole, v);
  --w.quiet;
}
int ListBox::NewIndex() {
  Touch();
  return newIndex_;
}
int ListBox::ListIndex() {
  Touch();
  return ListOf(*this).currentRow();
}
void ListBox::ListIndex(int v) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (v < -1 || v >= w.count()) Raise(380);
  if (v == w.currentRow()) return;
  ++w.quiet;
  w.setCurrentRow(v);
  if (v == -1) w.clearSelection();
  --w.quiet;
  RaiseEvent(Click);
}
std::u16string ListBox::Text() {
  Touch();
  ListWidget& w = ListOf(*this);
  return w.currentRow() >= 0 ? U(w.currentItem()->text()) : std::u16string();
}
bool ListBox::Selected(int index) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  if (style_ == vbListBoxCheckbox) return w.item(index)->checkState() == Qt::Checked;
  return w.item(index)->isSelected();
}
void ListBox::Selected(int index, bool v) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(381);
  if (style_ == vbListBoxCheckbox) {
    QListWidgetItem* item = w.item(index);
    if ((item->checkState() == Qt::Checked) == v) return;
    ++w.quiet;
    item->setCheckState(v ? Qt::Checked : Qt::Unchecked);
    item->setData(kCheckSeenRole, v);
    --w.quiet;
    RaiseEvent(ItemCheck, index);
  } else if (v) {
    ListIndex(index);
  } else if (w.currentRow() == index) {
    ListIndex(-1);
  }
}
int ListBox::TopIndex() {
  Touch();
  ListWidget& w = ListOf(*this);
  QListWidgetItem* it = w.itemAt(0, 0);
  return it != nullptr ? w.row(it) : 0;
}
void ListBox::TopIndex(int v) {
  Touch();
  ListWidget& w = ListOf(*this);
  if (v < 0 || v >= w.count()) Raise(380);
  w.scrollToItem(w.item(v), QAbstractItemView::PositionAtTop);
}

// --- Timer ----------------------------------------------------------------------------------------

void Timer::CreateControlWindow() {
  interval_ = 0;
  enabled_ = true;
  auto* w = new QWidget(ContainerWidget(*this));
  Adopt(*this, w, "ThunderTimer");
  w->hide();
}
int Timer::Interval() {
  Touch();
  return interval_;
}
void Timer::Interval(int v) {
  Touch();
  if (v < 0 || v > 65535) Raise(380);
  interval_ = v;
  Restart();
}
bool Timer::Enabled() {
  Touch();
  return enabled_;
}
void Timer::Enabled(bool v) {
  Touch();
  if (v == enabled_) return;  // enabling a running timer does not start its count again
  enabled_ = v;
  Restart();
}
void Timer::Restart() {
  const win::HWND h = core().handle;
  if (h == 0) return;
  win::KillTimer(h, 1);
  if (enabled_ && interval_ > 0) win::SetTimer(h, 1, static_cast<win::UINT>(interval_), nullptr);
}
void Timer::RunTick() {
  if (!enabled_ || interval_ == 0 || ticking_) return;
  ticking_ = true;
  EventScope scope(this);
  RaiseEvent(Tick);
  ticking_ = false;
}

}  // namespace vb
