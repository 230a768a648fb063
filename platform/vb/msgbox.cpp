#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>
#include <vector>

#include "platform/script/script.h"
#include "platform/vb/app.h"

namespace vb {

namespace {

struct ButtonSpec {
  int answer;
  const char16_t* text;
  QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> ButtonsOf(int kind) {
  const ButtonSpec ok{vbOK, u"ОК", QMessageBox::AcceptRole};
  const ButtonSpec cancel{vbCancel, u"Отмена", QMessageBox::RejectRole};
  const ButtonSpec yes{vbYes, u"Да", QMessageBox::YesRole};
  const ButtonSpec no{vbNo, u"Нет", QMessageBox::NoRole};
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

}  // namespace

int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) {
  const std::u16string caption = title.empty() ? App.EXEName() : std::u16string(title);
  platform::script::Shown shown{platform::script::Kind::MessageBox, caption, std::u16string(prompt), buttons};
  if (auto answer = platform::script::Take(shown)) return answer->result;

  QString text = QString::fromStdU16String(std::u16string(prompt));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // No parent widget: the active window may be one that is going (its form unloaded), and a box
  // owned by it would go with it while it is still shown. It stays over that window as its
  // transient child instead.
  QMessageBox box(IconOf(buttons), QString::fromStdU16String(caption), text, QMessageBox::NoButton, nullptr);
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->windowHandle() != nullptr) {
    box.winId();
    box.windowHandle()->setTransientParent(active->windowHandle());
  }
  box.setTextFormat(Qt::PlainText);
  const std::vector<ButtonSpec> specs = ButtonsOf(buttons & 0x0F);
  std::vector<QPushButton*> made;
  for (const ButtonSpec& s : specs) made.push_back(box.addButton(QString::fromStdU16String(s.text), s.role));
  const std::size_t def = static_cast<std::size_t>((buttons & 0xF00) >> 8);
  box.setDefaultButton(made[def < made.size() ? def : 0]);
  // Esc and the close box answer Cancel where there is one, else the only button.
  for (std::size_t i = 0; i < specs.size(); ++i)
    if (specs[i].answer == vbCancel || specs.size() == 1) box.setEscapeButton(made[i]);
  box.exec();
  for (std::size_t i = 0; i < specs.size(); ++i)
    if (box.clickedButton() == made[i]) return specs[i].answer;
  return specs.size() == 1 ? specs[0].answer : vbCancel;
}

}  // namespace vb
