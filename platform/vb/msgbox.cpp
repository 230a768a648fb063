#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/script/script.h"
#include "platform/vb/app.h"
#include "platform/vb/box_title_bar.h"
#include "platform/vb/modal_dialog.h"
#include "platform/win/window_record.h"

namespace vb {

namespace {

struct ButtonKind {
  int answer;
  const char16_t* text;
  QMessageBox::ButtonRole role;
};

std::vector<ButtonKind> ButtonsOf(int kind) {
  const ButtonKind ok{vbOK, u"ОК", QMessageBox::AcceptRole};
  const ButtonKind cancel{vbCancel, u"Отмена", QMessageBox::RejectRole};
  const ButtonKind yes{vbYes, u"Да", QMessageBox::YesRole};
  const ButtonKind no{vbNo, u"Нет", QMessageBox::NoRole};
  switch (kind) {
    case vbOKCancel: return {ok, cancel};
    case vbAbortRetryIgnore:
      return {{vbAbort, u"Прервать", QMessageBox::RejectRole},
              {vbRetry, u"Повторить", QMessageBox::AcceptRole},
              {vbIgnore, u"Пропустить", QMessageBox::AcceptRole}};
    case vbYesNoCancel: return {yes, no, cancel};
    case vbYesNo: return {yes, no};
    case vbRetryCancel: return {{vbRetry, u"Повторить", QMessageBox::AcceptRole}, cancel};
    default: return {ok};
  }
}

QMessageBox::Icon IconOf(int buttons) {
  switch (buttons & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The prompt broken into lines no wider than `width` pixels in `font`: at spaces where it can, and
// inside a word that is longer than a line. Beyond `lines` lines, the middle of the text gives way
// to a line holding an ellipsis, so the box never grows past the screen and its last line (the
// question it asks) still shows.
QString FitToLines(const QString& text, const QFont& font, int width, int lines) {
  QStringList out;
  QTextOption wrapping;
  wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, font);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      QString piece = paragraph.mid(line.textStart(), line.textLength());
      while (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
      out << piece;
    }
    layout.endLayout();
  }
  if (out.size() > lines) {
    while (out.size() > 1 && out.last().isEmpty()) out.removeLast();
    const QString last = out.last();
    out = out.mid(0, std::max(0, lines - 2));
    out << QStringLiteral("…");
    if (lines > 1) out << last;
  }
  return out.join(QLatin1Char('\n'));
}

// The widest a box may grow: four fifths of the screen, and no wider than the toolkit lets a box
// grow before it breaks its lines anywhere (the screen's width less 480 pixels, at most 1000, on a
// screen wider than 1024 pixels).
int WidestBox(const QRect& area) {
  const int toolkit = area.width() <= 1024 ? area.width() : std::min(area.width() - 480, 1000);
  return std::min(area.width() * 4 / 5, toolkit);
}

// The width of the prompt's widest line of its own, as the box's text layout measures it (in
// fractions of a pixel, which whole-pixel metrics round down).
int WidestLine(const QString& text, const QFont& font) {
  qreal widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(line, font);
    layout.beginLayout();
    layout.createLine();  // given no width, the line holds the whole text
    layout.endLayout();
    widest = std::max(widest, layout.maximumWidth());
  }
  return static_cast<int>(std::ceil(widest));
}

// A line break after a blank goes on with the sentence: the writer filled a line of a box of his
// own width. Where the box cannot hold such lines whole, the blank and break give way to a blank.
QString WithoutSoftBreaks(QString text) {
  text.replace(QRegularExpression(QStringLiteral(" +\n")), QStringLiteral(" "));
  return text;
}

// Lays the prompt out for the screen the box shows on: the box at most half the screen wide (at
// most 500 pixels, as the toolkit sizes it), its lines as wide as the room the icon and the margins
// leave them (wider ones the box would break again, leaving a word alone on a line), and no more
// lines than the screen holds. A prompt broken into lines of its own keeps them whole where the box
// can grow wide enough for them: broken again inside, they would stand ragged. Where it cannot, its
// sentences flow through the breaks that fill lines (WithoutSoftBreaks) across the widest box.
void FitPrompt(QMessageBox& box, const QString& prompt) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  const QFont font = label != nullptr ? label->font() : box.font();
  const int lineHeight = std::max(1, QFontMetrics(font).lineSpacing());
  box.setText(QString());
  const int besideText = box.layout() != nullptr ? box.layout()->totalMinimumSize().width() : 0;
  const int room = WidestBox(area) - besideText;
  const QString text = WidestLine(prompt, font) > room ? WithoutSoftBreaks(prompt) : prompt;
  int width = std::max(10 * lineHeight, std::min(area.width() / 2, 500) - besideText);
  if (text.contains(QLatin1Char('\n'))) width = std::max(width, std::min(WidestLine(text, font), room));
  // Room for the title, the buttons and the margins.
  const int chrome = 8 * lineHeight;
  const QString fitted = FitToLines(text, font, width, std::max(1, (area.height() - chrome) / lineHeight));
  box.setText(fitted);
  // The box is as wide as its widest line, and a short prompt still leaves the caption whole in the
  // title bar, which writes it in bold beside the window's icon and buttons.
  const int widest = WidestLine(fitted, font);
  QFont bold = box.font();
  bold.setBold(true);
  const int caption = std::min(width, QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 10 * lineHeight - besideText);
  if (label != nullptr) label->setMinimumWidth(std::max(caption, widest));
}

// A box whose buttons all give an answer that matters (Yes/No, Abort/Retry/Ignore) has no way out
// but its buttons: Esc does nothing, its title bar carries no close box, and a close asked by the
// window manager or another program is refused. The toolkit would otherwise take No or Abort as
// the escape answer, so that a box closed by another program, the window manager or a stray Esc
// would answer the question for the user (No to "save the changes?" discards them).
class NoEscape : public QObject {
 public:
  // Set when the box refused to close; the destroy watch then shows it again in a new window.
  bool refusedClose = false;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Close) {
      e->ignore();
      refusedClose = true;
      return true;
    }
    return e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->matches(QKeySequence::Cancel);
  }
};

// The answer of a box that ended with none of its buttons pressed (the program quit under it):
// always one of its own buttons, the one that declines: Cancel, else No, else Abort, else its only
// button.
int DecliningAnswer(const std::vector<ButtonKind>& kinds) {
  for (int declining : {vbCancel, vbNo, vbAbort})
    for (const ButtonKind& s : kinds)
      if (s.answer == declining) return declining;
  return kinds.front().answer;
}

// Returns once the window manager shows the box's window (two seconds at most). A window the
// window manager is still taking in when it is hidden again can stay unmapped for good, leaving an
// invisible question that blocks every other window.
void WaitUntilShownOnScreen(QWidget& box) {
  QWindow* window = box.windowHandle();
  if (window == nullptr || window->isExposed()) return;
  class ExposeWatch : public QObject {
   public:
    explicit ExposeWatch(QEventLoop& loop) : loop_(loop) {}

   protected:
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::Expose && static_cast<QWindow*>(o)->isExposed()) loop_.quit();
      return false;
    }

   private:
    QEventLoop& loop_;
  };
  QEventLoop loop;
  ExposeWatch watch(loop);
  window->installEventFilter(&watch);
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);
  loop.exec();
  window->removeEventFilter(&watch);
}

// Gives the box its prompt, buttons, default and escape button; returns the buttons in the order
// of `kinds`. A box whose buttons all give an answer that matters is refused Esc and closing, and
// draws its own title bar without a close box.
std::vector<QPushButton*> Dress(QMessageBox& box, const QString& text, const std::vector<ButtonKind>& kinds,
                                int buttons, NoEscape& noEscape) {
  const bool escapable =
      kinds.size() == 1 || std::any_of(kinds.begin(), kinds.end(), [](const ButtonKind& s) { return s.answer == vbCancel; });
  if (!escapable) {
    platform::detail::GiveOwnTitleBar(box);
    box.installEventFilter(&noEscape);
  }
  box.setTextFormat(Qt::PlainText);
  FitPrompt(box, text);
  std::vector<QPushButton*> made;
  for (const ButtonKind& s : kinds) made.push_back(box.addButton(QString::fromStdU16String(s.text), s.role));
  const std::size_t def = static_cast<std::size_t>((buttons & 0xF00) >> 8);
  box.setDefaultButton(made[def < made.size() ? def : 0]);
  // Esc and the close box answer Cancel where there is one, else the only button.
  for (std::size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i].answer == vbCancel || kinds.size() == 1) box.setEscapeButton(made[i]);
  return made;
}

using Box = platform::detail::ModalDialog<QMessageBox>;

// Shows the box until one of its buttons answers; a box that ends without one answers its declining
// button. 0: the box went with its window first.
int Ask(Box& box, const std::vector<QPushButton*>& made, const std::vector<ButtonKind>& kinds, NoEscape& noEscape) {
  const auto answered = [&]() -> int {
    for (std::size_t i = 0; i < kinds.size(); ++i)
      if (box->clickedButton() == made[i]) return kinds[i].answer;
    return 0;
  };
  for (;;) {
    noEscape.refusedClose = false;
    platform::detail::ShowWithoutMinMaxButtons(&*box);
    if (!box.Run()) return 0;
    if (const int answer = answered()) return answer;
    // Its window was destroyed from outside and made anew, which ended the loop: the question is
    // asked again until a button answers it (a button pressed while it waits to be shown counts).
    if (!noEscape.refusedClose || !box->isVisible()) return DecliningAnswer(kinds);
    WaitUntilShownOnScreen(*box);
    if (!box.Alive()) return 0;
    if (const int answer = answered()) return answer;
    box->hide();
  }
}

}  // namespace

int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) {
  const std::u16string caption = title.empty() ? App.EXEName() : std::u16string(title);
  platform::script::Shown shown{platform::script::Kind::MessageBox, caption, std::u16string(prompt), buttons};
  if (auto answer = platform::script::Take(shown)) return answer->result;

  QString text = QString::fromStdU16String(std::u16string(prompt));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const std::vector<ButtonKind> kinds = ButtonsOf(buttons & 0x0F);
  // Shown over the active window, the box goes with it (a handler or a timer unloads that form):
  // it is then asked again over the window active then, so that nobody answers for the user.
  for (;;) {
    NoEscape noEscape;
    Box box(IconOf(buttons), QString::fromStdU16String(caption), text, QMessageBox::NoButton,
            platform::detail::DialogOwner());
    const std::vector<QPushButton*> made = Dress(*box, text, kinds, buttons, noEscape);
    if (const int answer = Ask(box, made, kinds, noEscape)) return answer;
  }
}

}  // namespace vb
