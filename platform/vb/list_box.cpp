#include "platform/vb/list_box.h"

#include <QListWidget>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

class ListWidget : public QListWidget {
 public:
  using QListWidget::QListWidget;
  int quiet = 0;  // list changes made by the control itself raise no events
  bool sorted = false;

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
  EnsureWindow();
  return ListOf(*this).sorted;
}
void ListBox::Sorted(bool v) {
  EnsureWindow();
  ListOf(*this).sorted = v;
}
void ListBox::AddItem(const std::u16string& item, int index) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < -1 || index > w.count()) Raise(err::kInvalidProcedureCall);
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
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidProcedureCall);
  ++w.quiet;
  const int current = w.currentRow();
  delete w.takeItem(index);
  if (current == index) w.setCurrentRow(-1);
  --w.quiet;
}
void ListBox::Clear() {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  ++w.quiet;
  w.clear();
  --w.quiet;
}
std::u16string ListBox::List(int index) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  return index >= 0 && index < w.count() ? U(w.item(index)->text()) : std::u16string();
}
void ListBox::List(int index, const std::u16string& v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  ++w.quiet;
  w.item(index)->setText(Q(v));
  --w.quiet;
}
int ListBox::ListCount() {
  EnsureWindow();
  return ListOf(*this).count();
}
std::int32_t ListBox::ItemData(int index) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  return w.item(index)->data(kItemDataRole).toInt();
}
void ListBox::ItemData(int index, std::int32_t v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  ++w.quiet;
  w.item(index)->setData(kItemDataRole, v);
  --w.quiet;
}
int ListBox::NewIndex() {
  EnsureWindow();
  return newIndex_;
}
int ListBox::ListIndex() {
  EnsureWindow();
  return ListOf(*this).currentRow();
}
void ListBox::ListIndex(int v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (v < -1 || v >= w.count()) Raise(err::kInvalidPropertyValue);
  if (v == w.currentRow()) return;
  ++w.quiet;
  w.setCurrentRow(v);
  if (v == -1) w.clearSelection();
  --w.quiet;
  RaiseEvent(Click);
}
std::u16string ListBox::Text() {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  return w.currentRow() >= 0 ? U(w.currentItem()->text()) : std::u16string();
}
bool ListBox::Selected(int index) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  if (style_ == vbListBoxCheckbox) return w.item(index)->checkState() == Qt::Checked;
  return w.item(index)->isSelected();
}
void ListBox::Selected(int index, bool v) {
  EnsureWindow();
  ListWidget& w = ListOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
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
