#include "platform/vb/combo_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

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

}  // namespace

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
  EnsureWindow();
  return ComboOf(*this).sorted;
}
void ComboBox::Sorted(bool v) {
  EnsureWindow();
  ComboOf(*this).sorted = v;
}
void ComboBox::AddItem(const std::u16string& item, int index) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (index < -1 || index > w.count()) Raise(err::kInvalidProcedureCall);
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
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidProcedureCall);
  w.blockSignals(true);
  const int current = w.currentIndex();
  w.removeItem(index);
  if (current == index) w.setCurrentIndex(-1);
  w.blockSignals(false);
}
void ComboBox::Clear() {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  w.blockSignals(true);
  w.clear();
  if (w.isEditable()) w.setEditText(QString());
  w.blockSignals(false);
}
std::u16string ComboBox::List(int index) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  return index >= 0 && index < w.count() ? U(w.itemText(index)) : std::u16string();
}
void ComboBox::List(int index, const std::u16string& v) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  w.setItemText(index, Q(v));
}
int ComboBox::ListCount() {
  EnsureWindow();
  return ComboOf(*this).count();
}
std::int32_t ComboBox::ItemData(int index) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  return w.itemData(index).toInt();
}
void ComboBox::ItemData(int index, std::int32_t v) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (index < 0 || index >= w.count()) Raise(err::kInvalidPropertyArrayIndex);
  w.setItemData(index, v);
}
int ComboBox::NewIndex() {
  EnsureWindow();
  return newIndex_;
}
int ComboBox::ListIndex() {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  const int i = w.currentIndex();
  if (i < 0) return -1;
  // Text typed over the selected item leaves the list with no selection.
  if (w.isEditable() && w.lineEdit()->text() != w.itemText(i)) return -1;
  return i;
}
void ComboBox::ListIndex(int v) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (v < -1 || v >= w.count()) Raise(err::kInvalidPropertyValue);
  if (v == ListIndex()) return;
  w.blockSignals(true);
  w.setCurrentIndex(v);
  if (v == -1 && w.isEditable()) w.setEditText(QString());
  w.blockSignals(false);
  RaiseEvent(Click);
}
std::u16string ComboBox::Text() {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (w.isEditable()) return U(w.lineEdit()->text());
  return w.currentIndex() >= 0 ? U(w.itemText(w.currentIndex())) : std::u16string();
}
void ComboBox::Text(const std::u16string& v) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  const QString q = Q(v);
  if (!w.isEditable()) {
    const int i = w.findText(q, Qt::MatchFixedString);
    if (i < 0) Raise(err::kPropertyIsReadOnly);
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

}  // namespace vb
