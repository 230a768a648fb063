#include "platform/vb/list_box.h"

#include <QListWidget>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/item_window.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

constexpr int kItemDataRole = Qt::UserRole;
constexpr int kCheckSeenRole = Qt::UserRole + 1;

class ListWidget : public QListWidget, public platform::detail::ItemWindow {
 public:
  using QListWidget::QListWidget;
  int quiet = 0;  // list changes made by the control itself raise no events
  bool checkBoxes = false;

  int ItemCount() const override { return count(); }
  std::u16string ItemText(int index) const override { return U(item(index)->text()); }
  void InsertItem(int index, const std::u16string& text) override {
    ++quiet;
    auto* it = new QListWidgetItem(Q(text));
    if (checkBoxes) {
      it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
      it->setCheckState(Qt::Unchecked);
      it->setData(kCheckSeenRole, false);
    }
    insertItem(index, it);
    --quiet;
  }
  void DeleteItem(int index) override {
    ++quiet;
    const int current = currentRow();
    delete takeItem(index);
    if (current == index) setCurrentRow(-1);
    --quiet;
  }
  void DeleteItems() override {
    ++quiet;
    clear();
    --quiet;
  }
  void SetItemText(int index, const std::u16string& v) override {
    ++quiet;
    item(index)->setText(Q(v));
    --quiet;
  }
  std::int32_t ItemValue(int index) const override { return item(index)->data(kItemDataRole).toInt(); }
  void SetItemValue(int index, std::int32_t v) override {
    ++quiet;
    item(index)->setData(kItemDataRole, v);
    --quiet;
  }
  int ChosenItem() const override { return currentRow(); }
  void ChooseItem(int index) override {
    ++quiet;
    setCurrentRow(index);
    if (index == -1) clearSelection();
    --quiet;
  }

 protected:
  // The focus shows on the first row of a list where nothing is chosen, but chooses nothing: the
  // list keeps no current row until the user or the program picks one.
  void focusInEvent(QFocusEvent* e) override {
    const bool noneChosen = currentRow() < 0;
    ++quiet;
    QListWidget::focusInEvent(e);
    if (noneChosen && currentRow() >= 0) setCurrentRow(-1);
    --quiet;
  }
};

}  // namespace

void ListBox::CreateControlWindow() {
  ItemsMade();
  core().back = vbWindowBackground;
  core().fore = vbWindowText;
  auto* w = new ListWidget(ContainerWidget(*this));
  w->checkBoxes = Style() == vbListBoxCheckbox;
  w->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(w, &QListWidget::currentRowChanged, w, [this, w](int) {
    if (w->quiet == 0) platform::detail::FromEventLoop([this] { RaiseEvent(Click); });
  });
  QObject::connect(w, &QListWidget::itemDoubleClicked, w, [this](QListWidgetItem*) { platform::detail::FromEventLoop([this] { RaiseEvent(DblClick); }); });
  QObject::connect(w, &QListWidget::itemChanged, w, [this, w](QListWidgetItem* item) {
    if (w->quiet != 0 || Style() != vbListBoxCheckbox) return;
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
platform::detail::ItemWindow& ListBox::Items() { return ListOf(*this); }
std::u16string ListBox::Text() {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  return w.currentRow() >= 0 ? U(w.currentItem()->text()) : std::u16string();
}
bool ListBox::Selected(int index) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  if (Style() == vbListBoxCheckbox) return w.item(index)->checkState() == Qt::Checked;
  return w.item(index)->isSelected();
}
void ListBox::Selected(int index, bool v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  if (Style() == vbListBoxCheckbox) {
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
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  QListWidgetItem* it = w.itemAt(0, 0);
  return it != nullptr ? w.row(it) : 0;
}
void ListBox::TopIndex(int v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (v < 0 || v >= w.count()) Raise(err::kInvalidPropertyValue);
  w.scrollToItem(w.item(v), QAbstractItemView::PositionAtTop);
}

}  // namespace vb
