#include "platform/testing/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <array>

namespace platform::testing {

void ChooseInNextFileDialog(const std::u16string& path, std::u16string* seenTitle, std::u16string* seenStart) {
  QTimer::singleShot(0, [path, seenTitle, seenStart] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    if (seenTitle != nullptr) *seenTitle = dialog->windowTitle().toStdU16String();
    if (seenStart != nullptr) *seenStart = dialog->directory().absolutePath().toStdU16String();
    if (path.empty()) {
      dialog->reject();
      return;
    }
    const QFileInfo chosen(QString::fromStdU16String(path));
    dialog->setDirectory(chosen.absolutePath());
    dialog->selectFile(chosen.fileName());
    static_cast<QDialog*>(dialog)->accept();  // through the file dialog's own checks
  });
}

namespace {

constexpr int kPatienceMs = 10000;

QDialog* Up() { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); }

bool OnRealDisplay() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

bool Ready(QDialog* d) {
  if (d == nullptr || !d->isVisible() || d->windowHandle() == nullptr || !d->windowHandle()->isExposed()) return false;
  return !OnRealDisplay() || QApplication::activeWindow() == d;
}

template <class T>
std::vector<T*> Shown(QDialog* d) {
  std::vector<T*> out;
  if (d == nullptr) return out;
  for (T* w : d->findChildren<T*>())
    if (w->isVisibleTo(d)) out.push_back(w);
  return out;
}

// A caption as the user reads it: without the "&" that marks its access key.
std::u16string Plain(QString text) { return text.remove(QLatin1Char('&')).toStdU16String(); }
std::u16string Caption(const QAbstractButton* b) { return Plain(b->text()); }

QLineEdit* Edit(QDialog* d) {
  for (QLineEdit* e : Shown<QLineEdit>(d))
    if (!e->isReadOnly()) return e;
  return nullptr;
}

QListWidget* List(QDialog* d) {
  const auto lists = Shown<QListWidget>(d);
  return lists.empty() ? nullptr : lists.front();
}

// Raised by ForgetDialogActions: an action waiting from before then is dropped.
int& Generation() {
  static int generation = 0;
  return generation;
}

void WaitThenAct(std::function<void()> action, QElapsedTimer clock, int generation) {
  if (generation != Generation()) return;
  QDialog* d = Up();
  if (!Ready(d)) {
    if (clock.elapsed() > kPatienceMs) {
      if (d != nullptr) d->reject();
      return;
    }
    QTimer::singleShot(10, [action = std::move(action), clock, generation] { WaitThenAct(action, clock, generation); });
    return;
  }
  QPointer<QDialog> dialog(d);
  action();
  QTimer::singleShot(kPatienceMs, [dialog] {
    if (dialog != nullptr && dialog->isVisible()) dialog->reject();
  });
}

}  // namespace

void InNextDialog(std::function<void()> action) {
  QElapsedTimer clock;
  clock.start();
  const int generation = Generation();
  QTimer::singleShot(0, [action = std::move(action), clock, generation] { WaitThenAct(action, clock, generation); });
}

void ForgetDialogActions() { ++Generation(); }

std::u16string DialogTitle() { return Up() == nullptr ? std::u16string() : Up()->windowTitle().toStdU16String(); }

std::vector<std::u16string> DialogTexts() {
  std::vector<std::u16string> out;
  for (QLabel* l : Shown<QLabel>(Up()))
    if (!l->text().isEmpty()) out.push_back(l->buddy() != nullptr ? Plain(l->text()) : l->text().toStdU16String());
  return out;
}

std::vector<std::u16string> DialogButtons() {
  std::vector<std::u16string> out;
  for (QPushButton* b : Shown<QPushButton>(Up())) out.push_back(Caption(b));
  return out;
}

std::vector<std::pair<std::u16string, bool>> DialogChecks() {
  std::vector<std::pair<std::u16string, bool>> out;
  for (QCheckBox* c : Shown<QCheckBox>(Up())) out.emplace_back(Caption(c), c->isChecked());
  return out;
}

std::u16string DialogEditText() {
  QLineEdit* e = Edit(Up());
  return e == nullptr ? std::u16string() : e->text().toStdU16String();
}

void DialogSetEditText(const std::u16string& text) {
  if (QLineEdit* e = Edit(Up())) e->setText(QString::fromStdU16String(text));
}

bool DialogPress(const std::u16string& caption) {
  for (QPushButton* b : Shown<QPushButton>(Up())) {
    if (Caption(b) != caption) continue;
    if (!b->isEnabled()) return false;
    b->click();
    return true;
  }
  return false;
}

int DialogListCount() {
  QListWidget* l = List(Up());
  return l == nullptr ? 0 : l->count();
}

int DialogListCurrent() {
  QListWidget* l = List(Up());
  return l == nullptr ? -1 : l->currentRow();
}

void DialogListSelect(int index) {
  if (QListWidget* l = List(Up())) l->setCurrentRow(index);
}

win::RECT DialogRect() {
  QDialog* d = Up();
  if (d == nullptr) return {};
  const QRect r = d->geometry();
  return win::RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool SaveDialogPicture(const std::u16string& path) {
  QDialog* d = Up();
  return d != nullptr && d->grab().save(QString::fromStdU16String(path), "PNG");
}

bool SaveRealScreenPicture(const std::u16string& path) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!OnRealDisplay() || screen == nullptr) return false;
  return screen->grabWindow(0).save(QString::fromStdU16String(path), "PNG");
}

void AnswerNextPrintDialog(int duplex, std::u16string* seenPrinter, int* seenDuplex) {
  InNextDialog([duplex, seenPrinter, seenDuplex] {
    // The print dialog lives in the printing module: it is known by its class name.
    auto* dialog = qobject_cast<QDialog*>(Up());
    if (dialog == nullptr || !dialog->inherits("QPrintDialog")) return;
    if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")); printers && seenPrinter)
      *seenPrinter = printers->currentText().toStdU16String();
    // The dialog's own choices: one-sided, long edge, short edge.
    const std::array<QRadioButton*, 3> choices{dialog->findChild<QRadioButton*>(QStringLiteral("noDuplex")),
                                               dialog->findChild<QRadioButton*>(QStringLiteral("duplexLong")),
                                               dialog->findChild<QRadioButton*>(QStringLiteral("duplexShort"))};
    if (seenDuplex != nullptr) {
      *seenDuplex = 0;
      for (int i = 0; i < 3; ++i)
        if (choices[i] != nullptr && choices[i]->isEnabled() && choices[i]->isChecked()) *seenDuplex = i + 1;
    }
    if (duplex >= 1 && duplex <= 3 && choices[duplex - 1] != nullptr) choices[duplex - 1]->setChecked(true);
    dialog->accept();
  });
}

}  // namespace platform::testing
