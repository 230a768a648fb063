#include "platform/dialogs/run_window.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialogs/dialog_parts.h"
#include "platform/dialogs/file_dialog_run.h"
#include "platform/vb/modal_dialog.h"

namespace platform::dialogs {
namespace {

// A chosen file as one word of a command: quoted when it holds a blank.
QString AsWord(const std::u16string& path) {
  const QString p = ToQ(path);
  return p.contains(QLatin1Char(' ')) ? QLatin1Char('"') + p + QLatin1Char('"') : p;
}

class RunWindow : public QDialog {
 public:
  RunWindow(const RunWindowSetup& setup, const std::function<bool(const std::u16string&)>& start)
      : QDialog(OwnerWidget(setup.owner)), start_(start) {
    setWindowTitle(ToQ(setup.title.empty() ? std::u16string(kRunDefaultTitle) : setup.title));
    const QPixmap picture = PictureOfIcon(setup.icon);
    if (!picture.isNull()) setWindowIcon(QIcon(picture));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    AddPrompt(*grid, picture, setup.prompt.empty() ? std::u16string(kRunDefaultPrompt) : setup.prompt);
    AddCommandBox(*grid, setup);
    grid->addLayout(Buttons(setup.browseButton), 2, 0, 1, 2);
    setFixedWidth(420);
    setFixedHeight(sizeHint().height());
  }

  std::u16string Command() const { return command_->currentText().toStdU16String(); }

 private:
  // The icon stands at the left of the prompt; without one the prompt takes the whole width.
  void AddPrompt(QGridLayout& grid, const QPixmap& picture, const std::u16string& prompt) {
    auto* text = new QLabel(ToQ(prompt), this);
    text->setWordWrap(true);
    if (picture.isNull()) {
      grid.addWidget(text, 0, 0, 1, 2);
      return;
    }
    auto* icon = new QLabel(this);
    icon->setPixmap(picture);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid.addWidget(icon, 0, 0);
    grid.addWidget(text, 0, 1);
  }

  void AddCommandBox(QGridLayout& grid, const RunWindowSetup& setup) {
    command_ = new QComboBox(this);
    command_->setEditable(true);
    command_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::u16string& c : setup.history) command_->addItem(ToQ(c));
    command_->setEditText(setup.startWithLast && !setup.history.empty() ? ToQ(setup.history.front()) : QString());
    command_->lineEdit()->selectAll();
    if (setup.label) {
      auto* label = new QLabel(QStringLiteral("&Открыть:"), this);
      label->setBuddy(command_);
      grid.addWidget(label, 1, 0);
      grid.addWidget(command_, 1, 1);
    } else {
      grid.addWidget(command_, 1, 0, 1, 2);
    }
    connect(command_, &QComboBox::editTextChanged, this, [this] { UpdateOk(); });
  }

  QHBoxLayout* Buttons(bool browse) {
    QHBoxLayout* row = OkCancelRow(*this, [this] { Accept(); }, &ok_);
    if (browse) {
      auto* button = new QPushButton(QStringLiteral("&Обзор..."), this);
      row->addWidget(button);
      connect(button, &QPushButton::clicked, this, [this] { Browse(); });
    }
    UpdateOk();
    return row;
  }

  void UpdateOk() { ok_->setEnabled(!command_->currentText().trimmed().isEmpty()); }

  void Accept() {
    if (start_(Command())) accept();
  }

  void Browse() {
    FileDialogRequest request;
    request.title = u"Обзор";
    request.filter = {u"Все файлы", u"*"};
    if (auto chosen = RunFileDialog(request)) {
      command_->setEditText(AsWord(*chosen));
      command_->setFocus();
    }
  }

  std::function<bool(const std::u16string&)> start_;
  QComboBox* command_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace

std::optional<std::u16string> ShowRunWindow(const RunWindowSetup& setup,
                                            const std::function<bool(const std::u16string&)>& start) {
  platform::detail::ModalDialog<RunWindow> window(setup, start);
  if (!window.Accepted()) return std::nullopt;
  return window->Command();
}

}  // namespace platform::dialogs
