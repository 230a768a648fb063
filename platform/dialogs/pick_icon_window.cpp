#include "platform/dialogs/pick_icon_window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/dialogs/dialog_parts.h"
#include "platform/dialogs/file_dialog_run.h"
#include "platform/vb/modal_dialog.h"

namespace platform::dialogs {
namespace {

class PickIconWindow : public QDialog {
 public:
  explicit PickIconWindow(const PickIconSetup& setup) : QDialog(OwnerWidget(setup.owner)), icons_(setup.icons) {
    setWindowTitle(ToQ(kPickIconTitle));
    auto* column = new QVBoxLayout(this);
    path_ = new QLineEdit(ToQ(setup.path), this);
    browse_ = new QPushButton(QStringLiteral("&Обзор..."), this);
    column->addWidget(Buddy(QStringLiteral("&Искать значки в файле:"), path_));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse_);
    column->addLayout(pathRow);
    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(32, 32));
    list_->setGridSize(QSize(72, 60));
    list_->setWordWrap(true);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setMinimumHeight(160);
    column->addWidget(Buddy(QStringLiteral("&Выберите значок из списка:"), list_));
    column->addWidget(list_);
    none_ = new QLabel(QStringLiteral("Здесь нет значков: укажите файл значков (.ico) или папку с ними."), this);
    none_->setWordWrap(true);
    column->addWidget(none_);
    column->addLayout(OkCancelRow(*this, [this] { Ok(); }, &ok_));
    connect(path_, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    connect(browse_, &QPushButton::clicked, this, [this] { Browse(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { UpdateOk(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Ok(); });
    Load(setup.path, setup.index);
    resize(380, sizeHint().height());
  }

  PickedIcon Picked() const { return PickedIcon{loaded_, list_->currentRow()}; }

 private:
  QLabel* Buddy(const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(buddy);
    return label;
  }

  // Offers the icons of `path`, the one at `index` selected.
  void Load(const std::u16string& path, int index) {
    loaded_ = path;
    list_->clear();
    for (const OfferedIcon& icon : icons_(path))
      list_->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(icon.picture)), ToQ(icon.name)));
    none_->setVisible(list_->count() == 0);
    if (list_->count() > 0) list_->setCurrentRow(index >= 0 && index < list_->count() ? index : 0);
    UpdateOk();
  }

  std::u16string Typed() const { return path_->text().toStdU16String(); }

  void UpdateOk() { ok_->setEnabled(list_->currentRow() >= 0 || Typed() != loaded_); }

  // Enter or OK in a box whose path changed shows that path's icons; otherwise OK chooses.
  void Ok() {
    if (Typed() != loaded_) {
      Load(Typed(), 0);
      list_->setFocus();
      return;
    }
    if (list_->currentRow() >= 0) accept();
  }

  void Browse() {
    FileDialogRequest request;
    request.title = u"Обзор";
    request.filter = {u"Файлы значков", u"*.ico", u"Все файлы", u"*"};
    if (auto chosen = RunFileDialog(request)) {
      path_->setText(ToQ(*chosen));
      Load(*chosen, 0);
    }
  }

  std::function<std::vector<OfferedIcon>(const std::u16string&)> icons_;
  std::u16string loaded_;
  QLineEdit* path_ = nullptr;
  QPushButton* browse_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* none_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace

std::optional<PickedIcon> ShowPickIconWindow(const PickIconSetup& setup) {
  platform::detail::ModalDialog<PickIconWindow> window(setup);
  if (!window.Accepted()) return std::nullopt;
  return window->Picked();
}

}  // namespace platform::dialogs
