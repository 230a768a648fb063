#include "platform/vb/text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

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


}  // namespace

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
  EnsureWindow();
  EDIT_CASES(return U(e->text()), {
    QString s = m->toPlainText();
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return U(s);
  })
  return {};
}
void TextBox::Text(const std::u16string& v) {
  EnsureWindow();
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
  EnsureWindow();
  return static_cast<char16_t>(core().widget->property("vbPasswordChar").toUInt());
}
void TextBox::PasswordChar(char16_t v) {
  EnsureWindow();
  core().widget->setProperty("vbPasswordChar", static_cast<unsigned>(v));
  if (auto* e = qobject_cast<QLineEdit*>(core().widget.data())) {
    e->setEchoMode(v == 0 ? QLineEdit::Normal : QLineEdit::Password);
    e->setStyleSheet(v == 0 ? QString() : QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(static_cast<unsigned>(v)));
  }
}
bool TextBox::Locked() {
  EnsureWindow();
  EDIT_CASES(return e->isReadOnly(), return m->isReadOnly())
  return false;
}
void TextBox::Locked(bool v) {
  EnsureWindow();
  EDIT_CASES(e->setReadOnly(v), m->setReadOnly(v))
}
int TextBox::MaxLength() {
  EnsureWindow();
  EDIT_CASES(return e->maxLength() == 32767 ? 0 : e->maxLength(), return 0)
  return 0;
}
void TextBox::MaxLength(int v) {
  EnsureWindow();
  if (v < 0) Raise(err::kInvalidPropertyValue);
  EDIT_CASES(e->setMaxLength(v == 0 ? 32767 : v), )
}
int TextBox::SelStart() {
  EnsureWindow();
  EDIT_CASES(return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition(), {
    return ToRuntimePos(m->toPlainText(), m->textCursor().selectionStart());
  })
  return 0;
}
void TextBox::SelStart(int v) {
  EnsureWindow();
  if (v < 0) Raise(err::kInvalidPropertyValue);
  EDIT_CASES(e->setCursorPosition(std::min(v, static_cast<int>(e->text().size()))), {
    QTextCursor c = m->textCursor();
    c.setPosition(std::min(FromRuntimePos(m->toPlainText(), v), static_cast<int>(m->toPlainText().size())));
    m->setTextCursor(c);
  })
}
int TextBox::SelLength() {
  EnsureWindow();
  EDIT_CASES(return static_cast<int>(e->selectedText().size()), {
    const QString t = m->toPlainText();
    const QTextCursor c = m->textCursor();
    return ToRuntimePos(t, c.selectionEnd()) - ToRuntimePos(t, c.selectionStart());
  })
  return 0;
}
void TextBox::SelLength(int v) {
  EnsureWindow();
  if (v < 0) Raise(err::kInvalidPropertyValue);
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
  EnsureWindow();
  EDIT_CASES(return U(e->selectedText()), {
    QString s = m->textCursor().selectedText();
    s.replace(QChar(0x2029), QStringLiteral("\r\n"));
    return U(s);
  })
  return {};
}
void TextBox::SelText(const std::u16string& v) {
  EnsureWindow();
  EDIT_CASES(e->insert(Q(v)), m->insertPlainText(ToWidgetText(v)))
}
int TextBox::Alignment() {
  EnsureWindow();
  EDIT_CASES(return AlignmentFrom(e->alignment()), return vbLeftJustify)
  return vbLeftJustify;
}
void TextBox::Alignment(int v) {
  EnsureWindow();
  EDIT_CASES(e->setAlignment(AlignmentOf(v) | Qt::AlignVCenter), )
}
#undef EDIT_CASES

}  // namespace vb
